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
    {&OSDMenuFont_10, "Calibri_10.ufnt", 10},   {&OSDMenuFont_12, "Calibri_12.ufnt", 12},
    {&OSDMenuFont_14, "Calibri_14.ufnt", 14},   {&OSDMenuFont_16, "Calibri_16.ufnt", 16},
    {&OSDMenuFont_18, "Calibri_18.ufnt", 18},   {&OSDMenuFont_20, "Calibri_20.ufnt", 20},
    {&OSDMenuFont_20B, "Calibri_20B.ufnt", 31},
};
