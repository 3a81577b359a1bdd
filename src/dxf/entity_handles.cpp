#include "dxf/entity_handles.h"

#include <algorithm>

#include "dxf/dxf_pairs.h"

namespace vorbel {

std::vector<std::string> EntityHandles(const TLineList& lines) {
  std::vector<std::string> handles;
  bool inEntities = false;
  for (size_t p = 0; p < PairCount(lines); ++p) {
    if (IsEntitiesMarker(lines, p)) {
      inEntities = true;
    } else if (IsEndSection(lines, p)) {
      inEntities = false;
    } else if (inEntities && PairCode(lines, p) == "5") {
      std::string handle(PairValue(lines, p));
      for (char& c : handle) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      }
      handles.push_back(std::move(handle));
    }
  }
  std::sort(handles.begin(), handles.end());
  return handles;
}

}  // namespace vorbel
