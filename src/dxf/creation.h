// The creation file: the export's head, one filled copy of the pattern
// entity per new text, and the export's tail.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/line_list.h"
#include "dxf/text_ents.h"

namespace vorbel {

struct TNewText {
  std::string Handle;
  TDxfPoint InsPoint;
  TDxfPoint AlignPoint;
  std::string Text;
};

// The handle of a new entity: upper-case hexadecimal of the 32-bit pattern,
// at least two digits.
std::string NewHandleText(int32_t number);

// Head, then `tmpl` filled for each new text in turn, then tail. `tmpl` keeps
// the values of the last text, as the one pattern serves every new entity.
TLineList BuildCreationFile(const TLineList& head, TLineList& tmpl, const TLineList& tail,
                            const std::vector<TNewText>& texts);

}  // namespace vorbel
