// The automation that is the same on every backend.
#include "platform/ui_automation.h"

#include "cp932/cp932.h"
#include "platform/application.h"
#include "platform/controls.h"

namespace vorbel {

void TypeText(TCustomEdit& edit, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned key = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(text[i]) && i + 1 < text.size()) {
      key = key * 256 + static_cast<unsigned char>(text[++i]);
    }
    TypeKey(edit, key);
  }
}

void ChooseMenuItem(TMemo& memo, std::string_view itemName) {
  TPopupMenu* menu = memo.PopupMenu();
  if (menu == nullptr || !memo.Enabled()) return;
  RunEventHandler(menu->OnPopup);
  TMenuItem& item = menu->Item(itemName);
  if (item.Enabled && !item.IsSeparator()) RunEventHandler(item.OnClick);
}

}  // namespace vorbel
