#include "workflow/memo_lines.h"

#include "cp932/cp932.h"

namespace vorbel {

void DeleteTrailingBlankLines(std::vector<std::string>& lines, size_t recordCount) {
  if (lines.size() <= recordCount) return;
  while (!lines.empty() && IsBlank(lines.back())) lines.pop_back();
}

std::vector<TNewText> NewTextsAtPitch(const std::vector<std::string>& lines, int32_t maxHandle, double dX,
                                      double dY) {
  std::vector<TNewText> texts;
  const uint32_t firstHandle = static_cast<uint32_t>(maxHandle) * 10u;
  for (size_t k = 0; k < lines.size(); ++k) {
    if (IsBlank(lines[k])) continue;
    const double step = static_cast<double>(k);
    const TDxfPoint point{step * dX, step * dY, 0};
    const auto handle = static_cast<int32_t>(firstHandle + static_cast<uint32_t>(k));
    texts.push_back({NewHandleText(handle), point, point, lines[k]});
  }
  return texts;
}

std::vector<TNewText> ExtraTextsAtPitch(const std::vector<std::string>& lines, size_t firstLine,
                                        int32_t maxHandle, const TDxfPoint& baseInsPoint,
                                        const TDxfPoint& baseAlignPoint, double dX, double dY) {
  std::vector<TNewText> texts;
  const uint32_t handleBase = static_cast<uint32_t>(maxHandle) + 100u;
  uint32_t k = 1;
  for (size_t i = firstLine; i < lines.size(); ++i, ++k) {
    if (IsBlank(lines[i])) continue;
    const double step = static_cast<double>(k);
    const TDxfPoint insPoint{baseInsPoint.X + step * dX, baseInsPoint.Y + step * dY, baseInsPoint.Z};
    const TDxfPoint alignPoint{baseAlignPoint.X + step * dX, baseAlignPoint.Y + step * dY, baseAlignPoint.Z};
    texts.push_back({NewHandleText(static_cast<int32_t>(handleBase + k)), insPoint, alignPoint, lines[i]});
  }
  return texts;
}

}  // namespace vorbel
