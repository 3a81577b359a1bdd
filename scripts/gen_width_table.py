#!/usr/bin/python3
"""Writes src/texttools/width_table.h, the width table of code page 932.

  /usr/bin/python3 scripts/gen_width_table.py > src/texttools/width_table.h

The table comes from Python's cp932 codec and its Unicode character data
(Python 3.11: Unicode 14.0); another Python may print other data, so use the
one named above and compare the result with the file in the repository.
"""
import sys
import unicodedata


def cp932_codes():
    """Every double-byte code of code page 932 with the character it stands for."""
    for lead in list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)):
        for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):
            try:
                yield (lead << 8) | trail, bytes([lead, trail]).decode("cp932")
            except UnicodeDecodeError:
                pass


codes = {}  # character -> its double-byte codes, lowest first
for code, ch in cp932_codes():
    codes.setdefault(ch, []).append(code)


def windows_code(ch):
    # Windows writes a character that has several codes with the lowest one
    # outside the NEC-selected IBM rows 0xED and 0xEE (Python's codec picks
    # 0xEEFC for U+FF02, Windows 0xFA57).
    found = codes.get(ch, [])
    preferred = [c for c in found if c >> 8 not in (0xED, 0xEE)]
    return (preferred or found or [None])[0]


pairs = []  # (half byte, sound-mark byte or 0, full-width character)
for b in range(0x20, 0x7F):
    # 0x5C is the yen sign on Japanese systems (their fonts draw it as ¥), so
    # Windows neither widens it to ＼ nor narrows ＼ to it; it narrows ￥.
    if b != 0x5C:
        pairs.append((b, 0, "\u3000" if b == 0x20 else chr(0xFF01 + b - 0x21)))
narrow_only = [(0x5C, 0, "\uffe5")]
for b in range(0xA1, 0xE0):
    half = bytes([b]).decode("cp932")
    kind, target = unicodedata.decomposition(half).split()
    assert kind == "<narrow>"
    full = chr(int(target, 16))
    # The sound marks decompose to the combining marks U+3099/U+309A, which
    # code page 932 lacks; their full-width forms there are U+309B/U+309C.
    full = {"\u3099": "\u309b", "\u309a": "\u309c"}.get(full, full)
    pairs.append((b, 0, full))
    for mark, combining in ((0xDE, "\u3099"), (0xDF, "\u309a")):
        composed = unicodedata.normalize("NFC", full + combining)
        if len(composed) == 1 and windows_code(composed) is not None:
            pairs.append((b, mark, composed))


def half_text(b, mark):
    return bytes([b] + ([mark] if mark else [])).decode("cp932")


def entry(b, mark, code, ch):
    return "    {0x%02X, 0x%02X, 0x%04X},  // %s %s" % (b, mark, code, half_text(b, mark), ch)


HEAD = """\
// The pairs of half-width and full-width characters of code page 932 that
// ToFullWidth and ToHalfWidth convert between (width_table.cpp).
//
// The pairs are those of the Unicode Halfwidth and Fullwidth Forms, in the
// codes Windows writes for them: printable ASCII against U+FF01-U+FF5E, the
// space against the ideographic space U+3000, the half-width katakana and
// punctuation 0xA1-0xDF against the katakana and punctuation they narrow
// (the sound marks ﾞ ﾟ against ゛ ゜, as code page 932 has no combining
// marks), and a half-width kana followed by ﾞ or ﾟ against the one
// full-width kana that composes from them where code page 932 has it (ｶﾞ ガ,
// ﾊﾟ パ, ｳﾞ ヴ; ﾜﾞ and ｦﾞ have none there). 0x7E pairs with ～ (0x8160),
// and the quotes " ' with ＂ ＇ of the IBM extension rows. 0x5C is the yen
// sign on Japanese systems: it keeps its width, ＼ is not narrowed to it and
// ￥ is, as Windows does.
//
// Generated, do not edit by hand: made by scripts/gen_width_table.py from
// the cp932 codec and the Unicode 14 character data of Python 3.11. To make
// it again:
//
//   /usr/bin/python3 scripts/gen_width_table.py > src/texttools/width_table.h
#pragma once

namespace vorbel {

// A half-width character (one byte, or a kana and a sound mark) and the code
// of its full-width form: lead byte * 256 + trail byte.
struct TWidthForm {
  unsigned char Half;
  unsigned char Mark;  // 0, or the sound mark 0xDE / 0xDF that follows Half
  unsigned short Full;
};

// clang-format off

// Every half-width character and kana with sound mark that has a full-width
// form, with the code Windows writes for that form.
"""


def main():
    out = [HEAD.rstrip("\n")]
    out.append("inline constexpr TWidthForm kFullWidthForms[] = {")
    for b, mark, ch in pairs:
        out.append(entry(b, mark, windows_code(ch), ch))
    out.append("};")
    out.append("")
    out.append("// Every double-byte code whose character has a half-width form, ascending;")
    out.append("// a character with two codes (＂ 0xEEFC and 0xFA57) is listed under both.")
    out.append("inline constexpr TWidthForm kHalfWidthForms[] = {")
    back = []
    for b, mark, ch in pairs + narrow_only:
        for code in codes[ch]:
            back.append((code, b, mark, ch))
    for code, b, mark, ch in sorted(back):
        out.append(entry(b, mark, code, ch))
    out.append("};")
    out.append("")
    out.append("// clang-format on")
    out.append("")
    out.append("}  // namespace vorbel")
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main()
