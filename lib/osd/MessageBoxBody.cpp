#include "lib/osd/messagebox.h"

tMessageBoxBody MessageBoxBody;
