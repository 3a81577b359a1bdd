// Reading and writing numbers the way the program's texts and DXF files need.
//
// Integers: leading blanks are skipped; then either an optional "+" or "-"
// with decimal digits (signed 32-bit range), or one of "$", "x", "X", "0x",
// "0X" with hexadecimal digits (all 32 bits, taken as the signed pattern, so
// "$FFFFFFFF" is -1). Nothing may follow the digits.
//
// Reals: optional blanks, optional sign, digits with an optional decimal
// point, an optional exponent with "E" or "e", optional trailing blanks. The
// decimal separator is the point, which is what the CAD program reads and
// writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorbel {

std::optional<int32_t> TryStrToInt(std::string_view text);
// Raises "'%s' は整数ではありません" for an invalid text.
int32_t StrToInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t fallback);

std::optional<double> TryStrToFloat(std::string_view text);
// Raises "'%s' は浮動小数点数ではありません" for an invalid text.
double StrToFloat(std::string_view text);

// printf's "%.12f": fixed notation with 12 decimals.
std::string FormatFixed12(double value);

// The general format with 15 significant digits used for every real written
// into a DXF line: 100, 12.5, 0.333333333333333, 0.0005, 5E-5, 1.25E15.
std::string FormatGeneral15(double value);

// Upper-case hexadecimal of the 32-bit pattern, at least `digits` digits.
std::string IntToHex(uint32_t value, int digits);

}  // namespace vorbel
