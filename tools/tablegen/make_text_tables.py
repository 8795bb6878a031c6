#!/usr/bin/env python3
"""Writes the text encoding tables of lib/text/ as C++ sources.

    python3 tools/tablegen/make_text_tables.py [output folder, default lib/text]

Source of the mappings: the C library's iconv (iconv_open/iconv through ctypes),
converting to UCS-2BE. The ISO/IEC 8859 tables come from the converters
"ISO-8859-N", the Big5 table from "BIG5". The ISO/IEC 6937 table is the
broadcast variant the recorder uses (euro sign at 0xA4, currency sign at 0xA8),
written out below; the diacritic composition list is derived from it and from
Python's unicodedata.

Written files (commit them together with this script):
    UTFLookupTables.cpp   the 16 single-byte tables and the composition list
    Big5Translation.cpp   Big5 code -> code point, ascending, closing zero record
"""

import ctypes
import ctypes.util
import os
import sys
import unicodedata

# ---- iconv through ctypes ----------------------------------------------------

_libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
_libc.iconv_open.restype = ctypes.c_void_p
_libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
_libc.iconv.restype = ctypes.c_size_t
_libc.iconv.argtypes = [
    ctypes.c_void_p,
    ctypes.POINTER(ctypes.c_char_p),
    ctypes.POINTER(ctypes.c_size_t),
    ctypes.POINTER(ctypes.c_char_p),
    ctypes.POINTER(ctypes.c_size_t),
]
_libc.iconv_close.argtypes = [ctypes.c_void_p]
_ICONV_ERROR = ctypes.c_size_t(-1).value


class Converter:
    def __init__(self, charset):
        self.cd = _libc.iconv_open(b"UCS-2BE", charset.encode())
        if self.cd is None or self.cd == _ICONV_ERROR:
            sys.exit(f"iconv has no converter for {charset}")

    def code_point(self, data):
        """Code point of one character in the charset, or 0 when it has none."""
        src = ctypes.create_string_buffer(data, len(data))
        dst = ctypes.create_string_buffer(8)
        src_p = ctypes.c_char_p(ctypes.addressof(src))
        dst_p = ctypes.c_char_p(ctypes.addressof(dst))
        src_left = ctypes.c_size_t(len(data))
        dst_left = ctypes.c_size_t(8)
        _libc.iconv(self.cd, None, None, None, None)
        result = _libc.iconv(self.cd, ctypes.byref(src_p), ctypes.byref(src_left),
                             ctypes.byref(dst_p), ctypes.byref(dst_left))
        produced = 8 - dst_left.value
        if result == _ICONV_ERROR or src_left.value != 0 or produced != 2:
            return 0
        return int.from_bytes(dst.raw[:2], "big")

    def close(self):
        _libc.iconv_close(self.cd)


# ---- single-byte tables ------------------------------------------------------

ISO8859_PARTS = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16]

# Added to ISO/IEC 8859-7 in 2003; the recorder's firmware uses the 1987 form.
ISO8859_7_ADDED_2003 = [0xA4, 0xA5, 0xAA]

ISO6937 = [
    # A0
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AC, 0x00A5, 0x0000, 0x00A7,
    0x00A4, 0x2018, 0x201C, 0x00AB, 0x2190, 0x2191, 0x2192, 0x2193,
    # B0
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00D7, 0x00B5, 0x00B6, 0x00B7,
    0x00F7, 0x2019, 0x201D, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    # C0
    0x0000, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307,
    0x0308, 0x0000, 0x030A, 0x0327, 0x0000, 0x030B, 0x0328, 0x030C,
    # D0
    0x2015, 0x00B9, 0x00AE, 0x00A9, 0x2122, 0x266A, 0x00AC, 0x00A6,
    0x0000, 0x0000, 0x0000, 0x0000, 0x215B, 0x215C, 0x215D, 0x215E,
    # E0
    0x2126, 0x00C6, 0x0110, 0x00AA, 0x0126, 0x0000, 0x0132, 0x013F,
    0x0141, 0x00D8, 0x0152, 0x00BA, 0x00DE, 0x0166, 0x014A, 0x0149,
    # F0
    0x0138, 0x00E6, 0x0111, 0x03B4, 0x0127, 0x0131, 0x0133, 0x0140,
    0x0142, 0x00F8, 0x0153, 0x00DF, 0x00FE, 0x0167, 0x014B, 0x00AD,
]

# The marks that the composition list handles.
COMPOSED_MARKS = [0x0300, 0x0301, 0x0302, 0x0303, 0x0308, 0x030A, 0x0327]


def iso8859_table(part):
    conv = Converter(f"ISO-8859-{part}")
    table = [conv.code_point(bytes([b])) for b in range(0xA0, 0x100)]
    conv.close()
    if part == 7:
        for b in ISO8859_7_ADDED_2003:
            table[b - 0xA0] = 0
    return table


def diacritic_groups():
    """(diacritic byte, base letter, composed letter) for U+00C0..U+00FF,
    upper case first, each case in code point order."""
    mark_byte = {ISO6937[i]: 0xA0 + i for i in range(96) if ISO6937[i] in COMPOSED_MARKS}
    upper, lower = [], []
    for cp in range(0xC0, 0x100):
        parts = unicodedata.decomposition(chr(cp)).split()
        if len(parts) != 2 or parts[0].startswith("<"):
            continue
        base, mark = int(parts[0], 16), int(parts[1], 16)
        if mark not in mark_byte or base >= 0x80:
            continue
        group = (mark_byte[mark], base, cp)
        (upper if chr(cp).isupper() else lower).append(group)
    return upper + lower


def c_string(data):
    return '"' + "".join(f"\\x{b:02X}" for b in data) + '"'


def word_rows(values, per_row=8):
    rows = []
    for i in range(0, len(values), per_row):
        rows.append("    " + " ".join(f"0x{v:04X}," for v in values[i:i + per_row]))
    return "\n".join(rows)


HEADER = ("// Generated by tools/tablegen/make_text_tables.py from the C library's iconv.\n"
          "// Do not edit: change the script and run it again.\n"
          '#include "lib/text/text.h"\n\n'
          "// The rows keep the generator's layout.\n"
          "// clang-format off\n")
FOOTER = "// clang-format on\n"


def write_lookup_tables(folder):
    out = [HEADER]
    out.append("// Entry i: code point of byte 0xA0 + i; 0 = unassigned.\n")
    for part in ISO8859_PARTS:
        out.append(f"const word UTFLookupISO8859_{part}[UTF_LOOKUP_ENTRIES] = {{\n")
        out.append(word_rows(iso8859_table(part)) + "\n};\n")
    out.append("\nconst word UTFLookupISO6937[UTF_LOOKUP_ENTRIES] = {\n")
    out.append(word_rows(ISO6937) + "\n};\n")

    groups = diacritic_groups()
    assert len(groups) == 53, len(groups)
    pairs = bytearray()
    letters = bytearray()
    for mark, base, cp in groups:
        pairs += bytes([mark, base, 0x20])
        letters += chr(cp).encode("utf-8") + b" "
    out.append("\n// Diacritic byte + base letter -> composed letter (UTF-8), group by group:\n// ")
    out.append(" ".join(chr(cp) for _, _, cp in groups[:26]) + "\n// ")
    out.append(" ".join(chr(cp) for _, _, cp in groups[26:]) + "\n")
    for name, data in (("UTFDiacriticPairs", pairs), ("UTFDiacriticLetters", letters)):
        out.append(f"const char {name}[UTF_DIACRITIC_GROUPS * 3 + 1] =\n")
        chunks = [data[i:i + 24] for i in range(0, len(data), 24)]
        out.append("\n".join("    " + c_string(c) for c in chunks) + ";\n")
    out.append(FOOTER)
    with open(os.path.join(folder, "UTFLookupTables.cpp"), "w", encoding="utf-8") as f:
        f.write("".join(out))


def big5_codes():
    leads = list(range(0xA1, 0xC8)) + list(range(0xC9, 0xFA))
    trails = list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))
    for lead in leads:
        for trail in trails:
            code = lead * 256 + trail
            if 0xA3C0 <= code <= 0xA3FE or 0xC7FD <= code <= 0xC7FE or code >= 0xF9D6:
                continue
            yield code


# Codes whose usual mapping the recorder does not show; they give U+FFFD.
BIG5_REPLACED = [0xA15A, 0xA1C3, 0xA1C5, 0xA1FE, 0xA240, 0xA2CC, 0xA2CE]


def write_big5(folder):
    conv = Converter("BIG5")
    records = []
    for code in big5_codes():
        cp = 0xFFFD if code in BIG5_REPLACED else conv.code_point(bytes([code >> 8, code & 0xFF]))
        if cp == 0:
            sys.exit(f"iconv BIG5 has no mapping for 0x{code:04X}")
        records.append((code, cp))
    conv.close()
    assert len(records) == 13710, len(records)
    out = [HEADER]
    out.append("const tBig5Translation Big5Translation[BIG5_TRANSLATION_RECORDS + 1] = {\n")
    for i in range(0, len(records), 4):
        out.append("    " + " ".join(f"{{0x{c:04X}, 0x{u:04X}}}," for c, u in records[i:i + 4]) + "\n")
    out.append("    {0x0000, 0x0000},\n};\n")
    out.append(FOOTER)
    with open(os.path.join(folder, "Big5Translation.cpp"), "w", encoding="utf-8") as f:
        f.write("".join(out))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "lib", "text")
    write_lookup_tables(folder)
    write_big5(folder)


if __name__ == "__main__":
    main()
