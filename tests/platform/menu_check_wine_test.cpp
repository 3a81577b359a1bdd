// The native menu behind a pop-up menu: each item's state as Windows shows
// it, the check mark of a check item following the item as it is chosen.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/controls.h"
#include "platform/win32/ui_state.h"

namespace vorbel {
namespace {

// MF_CHECKED, MF_GRAYED and MF_SEPARATOR of each item of the native menu.
std::vector<UINT> States(const TPopupMenu& menu) {
  const TMenuHandle handle = NativePopupMenu(menu);
  std::vector<UINT> states;
  for (int i = 0; i < GetMenuItemCount(handle.get()); ++i) {
    // A separator reads as grayed too.
    const UINT state = GetMenuState(handle.get(), static_cast<UINT>(i), MF_BYPOSITION);
    states.push_back((state & MF_SEPARATOR) != 0 ? MF_SEPARATOR : state & (MF_CHECKED | MF_GRAYED));
  }
  return states;
}

TEST(NativeMenu, ItemsShowTheirCheckMarkAndState) {
  TPopupMenu menu;
  menu.Add("N4", "最終行に連番追加");
  menu.Add("N20", "-");
  TMenuItem& check = menu.Add("ConfirmUpdate1", "更新前に確認");
  check.AutoCheck = true;
  menu.Add("n1", "加算、減算").Enabled = false;
  EXPECT_EQ(States(menu), (std::vector<UINT>{0, MF_SEPARATOR, 0, MF_GRAYED}));
  TPopupMenu::Choose(menu.Item("ConfirmUpdate1"));
  EXPECT_EQ(States(menu), (std::vector<UINT>{0, MF_SEPARATOR, MF_CHECKED, MF_GRAYED}));
  TPopupMenu::Choose(menu.Item("ConfirmUpdate1"));
  EXPECT_EQ(States(menu)[2], 0u);
}

}  // namespace
}  // namespace vorbel
