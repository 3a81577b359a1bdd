#!/usr/bin/python3
"""Writes src/platform/cp932_round_trip_table.h: the double-byte codes of code
page 932 that come back as other bytes from UTF-16.

  /usr/bin/python3 scripts/gen_cp932_round_trip.py > src/platform/cp932_round_trip_table.h

A text put into an edit control goes to UTF-16 (MultiByteToWideChar, code
page 932) and is read back from it (WideCharToMultiByte). Python's cp932
codec decodes every code exactly as Windows (and Wine) do, and fails where
they write U+30FB for a code the code page lacks. It encodes a character
with several codes otherwise than Windows, which writes the lowest code
outside the NEC-selected IBM rows 0xED and 0xEE (Python's codec picks those
rows), so the encoding is taken from the decoding table here. The table was
made with Python 3.11.2 and checked under Wine 8.0 for every code.
"""
import sys

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFD))
REPLACEMENT = "\u30fb"  # what MultiByteToWideChar writes for a code it lacks


def decode(raw):
    try:
        return raw.decode("cp932")
    except UnicodeDecodeError:
        return None


codes = {}  # character -> the bytes of its codes, lowest first
for b in range(0x100):
    if decode(bytes([b])) is not None:
        codes.setdefault(decode(bytes([b])), []).append(bytes([b]))
for lead in LEADS:
    for trail in TRAILS:
        ch = decode(bytes([lead, trail]))
        if ch is not None:
            codes.setdefault(ch, []).append(bytes([lead, trail]))


def windows_bytes(ch):
    found = codes[ch]
    preferred = [c for c in found if len(c) == 1 or c[0] not in (0xED, 0xEE)]
    return (preferred or found)[0]


def round_trip(raw):
    ch = decode(raw)
    return windows_bytes(REPLACEMENT if ch is None else ch)


# Every byte that opens no double-byte code comes back as it is; the
# function's own rules (a lead byte at the end, a lead byte before a byte
# outside the trail range) rest on that.
for b in range(0x100):
    if b not in LEADS:
        assert round_trip(bytes([b])) == bytes([b]), hex(b)
replacement = int.from_bytes(windows_bytes(REPLACEMENT), "big")

# [first, last, becomes, comment]: runs of codes that become the same code.
# A run goes on over the codes in between whose second byte is outside the
# trail range (0x7F, and those between two rows): they are never looked up.
runs = []
extend = False
for lead in LEADS:
    for trail in TRAILS:
        code = (lead << 8) | trail
        raw = bytes([lead, trail])
        back = round_trip(raw)
        assert len(back) == 2
        becomes = int.from_bytes(back, "big")
        if becomes == code:
            extend = False
            continue
        ch = decode(raw)
        comment = "not in code page 932" if ch is None else "%s U+%04X" % (ch, ord(ch))
        if extend and runs[-1][2] == becomes and runs[-1][3] == comment:
            runs[-1][1] = code
        else:
            runs.append([code, code, becomes, comment])
        extend = True

HEAD = """\
// The double-byte codes of code page 932 that come back as other bytes after
// a conversion to UTF-16 and back (MultiByteToWideChar and
// WideCharToMultiByte, code page 932, no flags), as Cp932RoundTrip
// (cp932_round_trip.cpp) needs them. Two kinds:
// - duplicates: a character with several codes is written back with one of
//   them, the lowest outside the NEC-selected IBM rows 0xED and 0xEE (NEC
//   row 13 ≒ ≡ ∫ √ ⊥ ∠ ∵ ∩ ∪ becomes the JIS code, 0xED40-0xEEFC and
//   0xFA4A-0xFA5B the IBM extension, NEC row 13 or JIS code);
// - codes the code page lacks, with a second byte in the trail range
//   0x40-0x7E, 0x80-0xFC: U+30FB, written back as ・ (kCp932Replacement).
// Every single byte other than a lead byte comes back as it is.
//
// Generated, do not edit by hand: made by scripts/gen_cp932_round_trip.py
// from Python 3.11's cp932 codec and checked under Wine 8.0 by
// cp932_round_trip_wine_test for every code. To make it again:
//
//   /usr/bin/python3 scripts/gen_cp932_round_trip.py > src/platform/cp932_round_trip_table.h
#pragma once

namespace vorbel {

// Codes First to Last (lead byte * 256 + trail byte) come back as Becomes.
// A run may span codes whose second byte is outside the trail range; they
// are never looked up here.
struct TCp932Change {
  unsigned short First;
  unsigned short Last;
  unsigned short Becomes;
};

// clang-format off
"""


def main():
    out = [HEAD.rstrip("\n")]
    out.append("")
    out.append("// ・, what a code the code page lacks becomes.")
    out.append("inline constexpr unsigned short kCp932Replacement = 0x%04X;" % replacement)
    out.append("")
    out.append("// Ascending and not overlapping.")
    out.append("inline constexpr TCp932Change kCp932Changes[] = {")
    for first, last, becomes, comment in runs:
        out.append("    {0x%04X, 0x%04X, 0x%04X},  // %s" % (first, last, becomes, comment))
    out.append("};")
    out.append("")
    out.append("// clang-format on")
    out.append("")
    out.append("}  // namespace vorbel")
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main()
