// The function table the stand exports under the firmware's names. Each stand
// module points its entries at its own implementation when the stand is reset.
#include "host/tap.h"

extern "C" {
#define TAP_FN(result, name, arguments) result(*name) arguments = nullptr;
#include "host/tap_table.h"
#undef TAP_FN
}
