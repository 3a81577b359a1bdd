// libFuzzer target over the DXF exchange: load, largest handle, parse, the
// three copies, memo lines, apply, delete, fill and the creation file.
//
// The input is a DXF file; whatever follows its first zero byte (which ends
// the text of a file) is taken as the memo. The indexed update must write
// exactly what the record-by-record walks write.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/errors.h"
#include "base/line_list.h"
#include "dxf/creation.h"
#include "dxf/dxf_slices.h"
#include "dxf/rewrite.h"
#include "dxf/rewrite_walk.h"
#include "dxf/text_ents.h"

namespace {

using namespace vorbel;

void Check(bool condition) {
  if (!condition) std::abort();
}

void Exercise(const std::string& input) {
  const size_t zero = input.find('\0');
  TLineList lines = TLineList::FromBytes(input);
  const std::vector<std::string> memo = zero == std::string::npos
                                            ? std::vector<std::string>{}
                                            : TLineList::FromBytes(input.substr(zero + 1)).ToStrings();
  EndsWithEof(lines);
  const int32_t maxHandle = GetMaxHandle(lines);
  TTextEnts ents;
  try {
    ParseTextEnts(lines, ents);
  } catch (const TRuntimeError&) {
    return;  // the selection stops here
  }
  TLineList head, tail, pattern;
  if (!ents.empty()) CopyEntityByHandle("TEXT", ents.back().Handle, lines, pattern);
  CopyDxfHead(lines, head);
  CopyDxfTail(lines, tail);

  TakeMemoLines(memo, ents);
  TLineList walked = lines;
  TTextEnts walkedEnts = ents;
  ApplyTextEnts(ents, lines);
  ApplyTextEntsByWalk(walkedEnts, walked);
  Check(lines == walked);
  DeleteMarkedEntities(ents, lines);
  DeleteMarkedEntitiesByWalk(walkedEnts, walked);
  Check(lines == walked);

  std::vector<TNewText> texts;
  for (size_t k = 0; k < memo.size() && k < 16; ++k) {
    const double step = static_cast<double>(k);
    const uint32_t handle = static_cast<uint32_t>(maxHandle) * 10u + static_cast<uint32_t>(k);
    texts.push_back(
        {NewHandleText(static_cast<int32_t>(handle)), {step, -step, 0}, {step, step * 1e-7, 1e300}, memo[k]});
  }
  const TLineList created = BuildCreationFile(head, pattern, tail, texts);
  Check(created.size() == head.size() + texts.size() * pattern.size() + tail.size());
  Check(TLineList::FromBytes(lines.ToBytes()) == lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Exercise(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
