#include "workflow/memo_lines.h"

#include "base/cp932.h"

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

}  // namespace vorbel
