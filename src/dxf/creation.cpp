#include "dxf/creation.h"

#include "base/numbers.h"
#include "dxf/rewrite.h"

namespace vorbel {

std::string NewHandleText(int32_t number) { return IntToHex(static_cast<uint32_t>(number), 2); }

TLineList BuildCreationFile(const TLineList& head, TLineList& tmpl, const TLineList& tail,
                            const std::vector<TNewText>& texts) {
  TLineList file;
  file.AppendAll(head);
  for (const TNewText& text : texts) {
    FillTextTemplate(tmpl, text.Handle, text.InsPoint, text.AlignPoint, text.Text);
    file.AppendAll(tmpl);
  }
  file.AppendAll(tail);
  return file;
}

}  // namespace vorbel
