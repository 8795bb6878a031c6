#include "lib/hdd/hdd.h"

const HDD_FamilySide HDD_FamilySides[HDD_FAMILY_SIDES] = {
    {".inf", true}, {".nav", true}, {".cut", false}, {".cut.bak", false}, {".srt", false},
};
