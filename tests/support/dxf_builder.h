// Small DXF files for tests, written the way AutoCAD writes them (group
// codes right-aligned to three columns).
#pragma once

#include <string>
#include <vector>

#include "base/line_list.h"

namespace vorbel::test {

struct TPair {
  std::string code;
  std::string value;
};
using TPairs = std::vector<TPair>;

TLineList PairsToLines(const TPairs& pairs);

// A TEXT entity as a DXFOUT of release 2000 writes it.
TPairs TextEntity(const std::string& handle, const std::string& x, const std::string& y,
                  const std::string& text);
// The same, justified, with its second alignment point.
TPairs JustifiedTextEntity(const std::string& handle, const std::string& x, const std::string& y,
                           const std::string& ax, const std::string& ay, int hjust, int vjust,
                           const std::string& text);
TPairs LineEntity(const std::string& handle);

// The entity with `more` pairs directly after its handle.
TPairs WithPairs(TPairs entity, const TPairs& more);
// The entity on another layer; "" takes its layer pair away.
TPairs OnLayer(TPairs entity, const std::string& layer);

// A layer table of layers by name and flags (4: locked).
struct TLayer {
  std::string name;
  int flags = 0;
};
TPairs LayerTable(const std::vector<TLayer>& layers);

// Header (with a handle seed and `header`'s variables after it), tables
// (`tables` after the style table), blocks, the entities given, the objects
// section and EOF.
TLineList SelectionFile(const std::vector<TPairs>& entities, const std::string& handSeed = "30",
                        const TPairs& header = {}, const TPairs& tables = {});

}  // namespace vorbel::test
