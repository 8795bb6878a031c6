#include <string.h>

#include "lib/text/text.h"

namespace {

// Big5 pairs and big-endian 16-bit code points after a 0x14 selection, from text up
// to end. A zero first byte is half of a code point (0x00 0x41 is "A"), so its partner
// is read; a zero second byte ends the text: either the closing 0x00 0x00 pair or a
// code point the text cannot hold. A lone last byte is dropped rather than paired with
// whatever lies beyond.
void TwoByteTextToUTF8(const byte* text, const byte* end, char* dst) {
  for (; end - text >= 2 && text[1]; text += 2) {
    const byte b1 = text[0];
    const byte b2 = text[1];
    const bool big5Lead = (b1 >= 0xA1 && b1 <= 0xC7) || (b1 >= 0xC9 && b1 <= 0xF9);
    const bool big5Trail = (b2 >= 0x40 && b2 <= 0x7E) || (b2 >= 0xA1 && b2 <= 0xFE);
    const word pair = (word)(b1 << 8 | b2);
    if (big5Lead && big5Trail) {
      const word codePoint = Big5ToUnicode(pair);
      if (codePoint) {
        dst += UTF32ToUTF8(codePoint, dst, nullptr);
      } else {
        *dst++ = '*';
      }
    } else {
      dst += UTF32ToUTF8(pair, dst, nullptr);
    }
  }
  *dst = 0;
}

// The composed letter's UTF-8 form for a diacritic byte and a base letter, or
// null when the list has no such pair.
const char* ComposedLetter(byte diacritic, byte letter) {
  for (int group = 0; group < UTF_DIACRITIC_GROUPS; group++) {
    if ((byte)UTFDiacriticPairs[group * 3] == diacritic &&
        (byte)UTFDiacriticPairs[group * 3 + 1] == letter) {
      return UTFDiacriticLetters + group * 3;
    }
  }
  return nullptr;
}

}  // namespace

bool StrToUTF8Length(const char* src, dword length, char* dst, byte defaultTable) {
  if (!src || !dst) return false;
  const byte selection = (byte)src[0];
  if (length == 0 || selection == 0) {
    dst[0] = 0;
    return true;
  }
  // The selection's bytes, as far as the text holds them; a text that ends inside its
  // selection has no text after it.
  dword skip = 0;
  if (selection == SELECT_TABLE_BYTE) {
    skip = 3;
  } else if (selection == SELECT_ENCODING) {
    skip = 2;
  } else if (selection < 0x20) {
    skip = 1;
  }
  if (skip > length) skip = length;
  const byte* in = reinterpret_cast<const byte*>(src) + skip;
  const byte* const end = reinterpret_cast<const byte*>(src) + length;
  byte tableNumber = defaultTable;
  if (selection >= 0x01 && selection <= 0x0B) {
    tableNumber = (byte)(selection + 4);
  } else if (selection == SELECT_TABLE_BYTE) {
    // A zero table number ends the text, as a terminator would.
    if (length >= 3 && src[2])
      tableNumber = (byte)src[2];
    else
      in = end;
  } else if (selection == SELECT_UTF8) {
    const byte* last = in;
    while (last < end && *last)
      last++;
    TAP_MemCpy(dst, in, (dword)(last - in));
    dst[last - in] = 0;
    return true;
  } else if (selection == SELECT_TWO_BYTE) {
    TwoByteTextToUTF8(in, end, dst);
    return true;
  }

  const word* table = UTFLookupTable(tableNumber);
  bool converted = false;
  while (in < end && *in) {
    // ASCII and text that is already UTF-8 pass unchanged, a run at a time.
    const byte* run = in;
    byte sequence = 1;
    while (in < end && *in &&
           (*in < 0x80 || isUTF8Char(reinterpret_cast<const char*>(in), &sequence))) {
      in += *in < 0x80 ? 1 : sequence;
    }
    if (in != run) {
      TAP_MemCpy(dst, run, (dword)(in - run));
      dst += in - run;
      continue;
    }

    const byte b = *in++;
    converted = true;
    if (tableNumber == 0 && b >= 0xC0 && b <= 0xCF) {
      // A diacritic and its letter make one character; a pair outside the list
      // vanishes. A diacritic right before the terminator vanishes alone.
      if (in == end || !*in) break;
      const char* letter = ComposedLetter(b, *in++);
      if (letter) {
        TAP_MemCpy(dst, letter, 2);
        dst += 2;
      }
    } else if (b < 0xA0) {
      dst += UTF32ToUTF8(b, dst, nullptr);
    } else {
      const word codePoint = table[b - UTF_LOOKUP_FIRST_BYTE];
      // An unassigned byte ends the converted text.
      if (!codePoint) break;
      dst += UTF32ToUTF8(codePoint, dst, nullptr);
    }
  }
  *dst = 0;
  return converted;
}
