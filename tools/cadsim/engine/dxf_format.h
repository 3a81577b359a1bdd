// Writing group-code/value pairs the way the CAD program's DXFOUT writes them:
// group codes right-aligned to three columns, reals with the requested number
// of decimal places (at most 16 significant digits), CR LF line ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/line_list.h"

namespace vorbel::cadsim {

// One group-code/value pair. The value is the line as it stood in the file
// (strings keep their blanks); group codes are numbers.
struct TDxfPair {
  int32_t Code = 0;
  std::string Value;
};
using TDxfPairs = std::vector<TDxfPair>;

// The most decimal places DXFOUT offers, and its default.
constexpr int kMaxDecimals = 16;

// True for the group codes whose values are reals (points, distances,
// angles, scales, extended-data reals).
bool IsRealGroupCode(int32_t code);

// A real as DXFOUT writes it: fixed notation with up to `decimals` decimal
// places and 16 significant digits, trailing zeros dropped but one digit kept
// after the point (100.0, 0.5, 1852.185631259885, -0.0000014685329006). A
// value too large for 16 integer digits, or one that `decimals` places would
// show as zero, is written as d.dddddddddddddddE+XX.
std::string FormatDxfReal(double value, int decimals);

// The group-code line: right-aligned to three columns ("  0", " 10", "100",
// "1001").
std::string FormatGroupCode(int32_t code);

// The pairs as DXF lines; real values are rewritten with `decimals` places,
// every other value is written as it stands.
void AppendDxfLines(const TDxfPairs& pairs, int decimals, TLineList& lines);

// Reads a group-code line ("  0", " 10", "1001"); raises "'%s' は整数ではありません"
// for anything else.
int32_t ReadGroupCode(std::string_view line);

}  // namespace vorbel::cadsim
