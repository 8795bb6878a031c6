// The standard fonts and the table that ties each to its file and size selector.
#include "lib/osd/osd.h"

FMUC_Font OSDMenuFont_10;
FMUC_Font OSDMenuFont_12;
FMUC_Font OSDMenuFont_14;
FMUC_Font OSDMenuFont_16;
FMUC_Font OSDMenuFont_18;
FMUC_Font OSDMenuFont_20;
FMUC_Font OSDMenuFont_20B;

const tOSDMenuStdFont OSDMenuStdFonts[OSDMENU_STD_FONTS] = {
    {&OSDMenuFont_10, OSDMENU_STD_FONT_FILES[0], 10},
    {&OSDMenuFont_12, OSDMENU_STD_FONT_FILES[1], 12},
    {&OSDMenuFont_14, OSDMENU_STD_FONT_FILES[2], 14},
    {&OSDMenuFont_16, OSDMENU_STD_FONT_FILES[3], 16},
    {&OSDMenuFont_18, OSDMENU_STD_FONT_FILES[4], 18},
    {&OSDMenuFont_20, OSDMENU_STD_FONT_FILES[5], 20},
    {&OSDMenuFont_20B, OSDMENU_STD_FONT_FILES[6], 31},
};
