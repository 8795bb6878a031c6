#include "lib/text/text.h"

const word* UTFLookupTable(byte tableNumber) {
  switch (tableNumber) {
    case 1:
      return UTFLookupISO8859_1;
    case 2:
      return UTFLookupISO8859_2;
    case 3:
      return UTFLookupISO8859_3;
    case 4:
      return UTFLookupISO8859_4;
    case 5:
      return UTFLookupISO8859_5;
    case 6:
      return UTFLookupISO8859_6;
    case 7:
      return UTFLookupISO8859_7;
    case 8:
      return UTFLookupISO8859_8;
    case 9:
      return UTFLookupISO8859_9;
    case 10:
      return UTFLookupISO8859_10;
    case 11:
      return UTFLookupISO8859_11;
    case 13:
      return UTFLookupISO8859_13;
    case 14:
      return UTFLookupISO8859_14;
    case 15:
      return UTFLookupISO8859_15;
    case 16:
      return UTFLookupISO8859_16;
    default:
      return UTFLookupISO6937;
  }
}
