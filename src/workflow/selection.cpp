#include "workflow/selection.h"

#include <algorithm>

namespace vorbel {

void RememberShown(TSelection& selection, const std::vector<std::string>& lines) {
  const TTextEnts& ents = selection.TextEnts;
  selection.Shown.assign(ents.size(), std::string());
  for (size_t i = 0; i < std::min(ents.size(), lines.size()); ++i) {
    selection.Shown[static_cast<size_t>(ents[i].Index)] = lines[i];
  }
}

void KeepUntouchedBytes(const TSelection& selection, std::vector<std::string>& lines) {
  const TTextEnts& ents = selection.TextEnts;
  for (size_t i = 0; i < std::min(ents.size(), lines.size()); ++i) {
    const auto index = static_cast<size_t>(ents[i].Index);
    if (index < selection.Shown.size() && lines[i] == selection.Shown[index]) lines[i] = ents[i].Text;
  }
}

void ForgetShown(TSelection& selection, size_t line) {
  const TTextEnts& ents = selection.TextEnts;
  if (line >= ents.size()) return;
  const auto index = static_cast<size_t>(ents[line].Index);
  if (index < selection.Shown.size()) selection.Shown[index] = ents[line].Text;
}

}  // namespace vorbel
