#include "lib/text/text.h"

byte UTF32ToUTF8(dword codePoint, char* out, byte* outLength) {
  byte bytes[4];
  byte length;
  if (codePoint < 0x80) {
    bytes[0] = (byte)codePoint;
    length = 1;
  } else if (codePoint < 0x800) {
    bytes[0] = (byte)(0xC0 | codePoint >> 6);
    bytes[1] = (byte)(0x80 | (codePoint & 0x3F));
    length = 2;
  } else if (codePoint < 0x10000) {
    bytes[0] = (byte)(0xE0 | codePoint >> 12);
    bytes[1] = (byte)(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[2] = (byte)(0x80 | (codePoint & 0x3F));
    length = 3;
  } else {
    bytes[0] = (byte)(0xF0 | ((codePoint >> 18) & 0x07));
    bytes[1] = (byte)(0x80 | ((codePoint >> 12) & 0x3F));
    bytes[2] = (byte)(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[3] = (byte)(0x80 | (codePoint & 0x3F));
    length = 4;
  }
  if (out) {
    for (byte i = 0; i < length; i++)
      out[i] = (char)bytes[i];
  }
  if (outLength) *outLength = length;
  return length;
}
