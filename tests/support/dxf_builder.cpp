#include "support/dxf_builder.h"

namespace vorbel::test {

TLineList PairsToLines(const TPairs& pairs) {
  TLineList lines;
  for (const TPair& pair : pairs) {
    std::string code = pair.code;
    while (code.size() < 3) code.insert(code.begin(), ' ');
    lines.push_back(code);
    lines.push_back(pair.value);
  }
  return lines;
}

TPairs TextEntity(const std::string& handle, const std::string& x, const std::string& y,
                  const std::string& text) {
  return {{"0", "TEXT"}, {"5", handle},       {"330", "1F"}, {"100", "AcDbEntity"},
          {"8", "0"},    {"100", "AcDbText"}, {"10", x},     {"20", y},
          {"30", "0.0"}, {"40", "2.5"},       {"1", text},   {"100", "AcDbText"}};
}

TPairs JustifiedTextEntity(const std::string& handle, const std::string& x, const std::string& y,
                           const std::string& ax, const std::string& ay, int hjust, int vjust,
                           const std::string& text) {
  return {{"0", "TEXT"},
          {"5", handle},
          {"330", "1F"},
          {"100", "AcDbEntity"},
          {"8", "0"},
          {"100", "AcDbText"},
          {"10", x},
          {"20", y},
          {"30", "0.0"},
          {"40", "2.5"},
          {"1", text},
          {"50", "0.0"},
          {"72", std::to_string(hjust)},
          {"11", ax},
          {"21", ay},
          {"31", "0.0"},
          {"100", "AcDbText"},
          {"73", std::to_string(vjust)}};
}

TPairs LineEntity(const std::string& handle) {
  return {{"0", "LINE"}, {"5", handle},       {"330", "1F"}, {"100", "AcDbEntity"},
          {"8", "0"},    {"100", "AcDbLine"}, {"10", "0.0"}, {"20", "0.0"},
          {"30", "0.0"}, {"11", "10.0"},      {"21", "0.0"}, {"31", "0.0"}};
}

TPairs WithPairs(TPairs entity, const TPairs& more) {
  entity.insert(entity.begin() + 2, more.begin(), more.end());
  return entity;
}

TPairs OnLayer(TPairs entity, const std::string& layer) {
  for (auto it = entity.begin(); it != entity.end(); ++it) {
    if (it->code != "8") continue;
    if (layer.empty()) {
      entity.erase(it);
    } else {
      it->value = layer;
    }
    break;
  }
  return entity;
}

TPairs LayerTable(const std::vector<TLayer>& layers) {
  TPairs pairs = {{"0", "TABLE"}, {"2", "LAYER"}, {"5", "2"}, {"70", std::to_string(layers.size())}};
  for (const TLayer& layer : layers) {
    const TPairs entry = {{"0", "LAYER"},    {"100", "AcDbLayerTableRecord"},
                          {"2", layer.name}, {"70", std::to_string(layer.flags)},
                          {"62", "7"},       {"6", "CONTINUOUS"}};
    pairs.insert(pairs.end(), entry.begin(), entry.end());
  }
  pairs.push_back({"0", "ENDTAB"});
  return pairs;
}

TLineList SelectionFile(const std::vector<TPairs>& entities, const std::string& handSeed,
                        const TPairs& header, const TPairs& tables) {
  TPairs pairs = {{"0", "SECTION"}, {"2", "HEADER"},    {"9", "$ACADVER"},
                  {"1", "AC1015"},  {"9", "$HANDSEED"}, {"5", handSeed}};
  pairs.insert(pairs.end(), header.begin(), header.end());
  const TPairs styles = {{"0", "ENDSEC"}, {"0", "SECTION"}, {"2", "TABLES"}, {"0", "TABLE"},
                         {"2", "STYLE"},  {"5", "3"},       {"0", "ENDTAB"}};
  pairs.insert(pairs.end(), styles.begin(), styles.end());
  pairs.insert(pairs.end(), tables.begin(), tables.end());
  const TPairs blocks = {{"0", "ENDSEC"},   {"0", "SECTION"},      {"2", "BLOCKS"}, {"0", "BLOCK"},
                         {"5", "20"},       {"2", "*Model_Space"}, {"0", "TEXT"},   {"5", "21"},
                         {"1", "in block"}, {"0", "ENDBLK"},       {"5", "22"},     {"0", "ENDSEC"},
                         {"0", "SECTION"},  {"2", "ENTITIES"}};
  pairs.insert(pairs.end(), blocks.begin(), blocks.end());
  for (const TPairs& entity : entities) pairs.insert(pairs.end(), entity.begin(), entity.end());
  const TPairs tail = {{"0", "ENDSEC"}, {"0", "SECTION"}, {"2", "OBJECTS"}, {"0", "DICTIONARY"},
                       {"5", "C"},      {"0", "ENDSEC"},  {"0", "EOF"}};
  pairs.insert(pairs.end(), tail.begin(), tail.end());
  return PairsToLines(pairs);
}

}  // namespace vorbel::test
