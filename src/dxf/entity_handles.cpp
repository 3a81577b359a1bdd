#include "dxf/entity_handles.h"

#include <algorithm>

#include "dxf/dxf_pairs.h"
#include "dxf/entity_walk.h"

namespace vorbel {

std::vector<std::string> EntityHandles(const TLineList& lines) {
  std::vector<std::string> handles;
  TEntityWalk walk(lines);
  while (walk.Next()) {
    while (walk.NextGroup()) {
      if (walk.Code() != "5") continue;
      std::string handle(PairValue(lines, walk.Pair()));
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
