// Selection exports for the benchmark: release 2000 ASCII DXF files laid
// out the way AutoCAD writes them (group codes right-aligned to three
// columns, CR LF, reals with sixteen decimals), holding a given number of
// TEXT entities arranged in terminal-block tables among lines, block
// references and multiline texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorbel::bench {

struct TSelectionSummary {
  int32_t TextCount = 0;   // TEXT entities in the entities section
  int32_t OtherCount = 0;  // LINE, INSERT and MTEXT entities beside them
  uint32_t HandSeed = 0;   // $HANDSEED, one above the largest handle
  size_t Bytes = 0;
};

// The whole file as bytes. The same count always gives the same bytes.
std::string SelectionFileBytes(int32_t textCount, TSelectionSummary* summary = nullptr);

// Writes SelectionFileBytes(textCount) to `path` (code page 932 bytes).
// Throws std::runtime_error when the file cannot be written.
TSelectionSummary WriteSelectionFile(std::string_view path, int32_t textCount);

}  // namespace vorbel::bench
