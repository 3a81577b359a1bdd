// The colours the native controls paint their texts with: the user's
// window-text colour (a high-contrast scheme, say) unless the program gives
// a control a colour of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/ui_types.h"
#include "platform/win32/ui_state.h"

namespace vorbel {
namespace {

TFormLayout ColourLayout() {
  TFormLayout form;
  form.ClassName = "TColourTestForm";
  form.Caption = "colours";
  form.Client = {200, 100};
  form.Controls = {
      {"Label1", TControlKind::Label, "label", {4, 4, 60, 13}, kAnchorLeft | kAnchorTop, -1, "", {}, 0},
      {"Edit1", TControlKind::Edit, "edit", {4, 30, 60, 20}, kAnchorLeft | kAnchorTop, 0, "", {}, 0}};
  return form;
}

// The text colour the form's answer to WM_CTLCOLOR... leaves in a device
// context for `control`.
COLORREF PaintedColour(const TForm& form, const TControl& control, UINT message) {
  const HWND window = control.Impl().window.get();
  const HDC dc = GetDC(window);
  SetTextColor(dc, RGB(1, 2, 3));
  SendMessageW(form.Impl().window.get(), message, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(window));
  const COLORREF colour = GetTextColor(dc);
  ReleaseDC(window, dc);
  return colour;
}

TEST(ControlColourWine, TextsFollowTheUsersSchemeUnlessTheProgramGivesAColour) {
  // A scheme whose window text is not black, as a high-contrast one.
  const int element = COLOR_WINDOWTEXT;
  const COLORREF original = GetSysColor(element);
  const COLORREF scheme = RGB(0, 160, 0);
  SetSysColors(1, &element, &scheme);
  {
    static const TFormLayout layout = ColourLayout();
    TForm form(layout);
    TLabel label(form, "Label1");
    TEdit edit(form, "Edit1");
    EXPECT_EQ(PaintedColour(form, label, WM_CTLCOLORSTATIC), scheme);
    EXPECT_EQ(PaintedColour(form, edit, WM_CTLCOLOREDIT), scheme);
    label.SetFontColor(kColorBlue);
    EXPECT_EQ(PaintedColour(form, label, WM_CTLCOLORSTATIC), static_cast<COLORREF>(kColorBlue));
  }
  SetSysColors(1, &element, &original);
}

}  // namespace
}  // namespace vorbel
