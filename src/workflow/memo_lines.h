// Memo lines as the write-back takes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dxf/creation.h"

namespace vorbel {

// When the memo has more lines than there are records, every line at the end
// that is blank after trimming goes, down to the last line that is not blank
// (also below the number of records).
void DeleteTrailingBlankLines(std::vector<std::string>& lines, size_t recordCount);

// The new texts of Make: memo line i at (i * dX, i * dY, 0) with the handle
// maxHandle * 10 + i (32-bit wrap-around); blank lines get no text but use up
// their place and number.
std::vector<TNewText> NewTextsAtPitch(const std::vector<std::string>& lines, int32_t maxHandle, double dX,
                                      double dY);

// The new texts of Update: the memo lines from `firstLine` on continue the
// list from the base points, the k-th of them (k from 1) at k pitches with the
// handle maxHandle + 100 + k (32-bit wrap-around); blank lines get no text
// but use up their place and number.
std::vector<TNewText> ExtraTextsAtPitch(const std::vector<std::string>& lines, size_t firstLine,
                                        int32_t maxHandle, const TDxfPoint& baseInsPoint,
                                        const TDxfPoint& baseAlignPoint, double dX, double dY);

}  // namespace vorbel
