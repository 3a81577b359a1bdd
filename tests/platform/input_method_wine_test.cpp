// The input method of a native single-line edit: switched off when the edit
// takes the focus while the edit says so, left as the user has it once the
// program frees it (as the sequence dialog does for kanji numerals).
#include <gtest/gtest.h>
#include <windows.h>
// The input method needs windows.h first.
#include <imm.h>

#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/ui_types.h"
#include "platform/win32/ui_state.h"

namespace vorbel {
namespace {

TFormLayout InputMethodLayout() {
  TFormLayout form;
  form.ClassName = "TInputMethodTestForm";
  form.Caption = "input method";
  form.Client = {200, 80};
  form.Controls = {
      {"Edit1", TControlKind::Edit, "001", {4, 4, 60, 20}, kAnchorLeft | kAnchorTop, 0, "", {}, kImeClosed},
      {"Button1", TControlKind::Button, "実行", {4, 40, 60, 25}, kAnchorLeft | kAnchorTop, 1, "", {}, 0}};
  return form;
}

TEST(InputMethodWine, ClosedOnFocusUntilTheProgramFreesIt) {
  static const TFormLayout layout = InputMethodLayout();
  TForm form(layout);
  TEdit edit(form, "Edit1");
  TButton button(form, "Button1");
  form.Show();
  const HWND window = edit.Impl().window.get();
  const HIMC context = ImmGetContext(window);
  ASSERT_NE(context, nullptr);
  // The user has switched the input method on elsewhere; then the edit takes
  // the focus.
  const auto openAfterFocus = [&] {
    button.SetFocus();
    ImmSetOpenStatus(context, TRUE);
    edit.SetFocus();
    return ImmGetOpenStatus(context) != FALSE;
  };
  EXPECT_FALSE(openAfterFocus());
  edit.SetImeClosed(false);
  EXPECT_TRUE(openAfterFocus());
  edit.SetImeClosed(true);
  EXPECT_FALSE(openAfterFocus());
  ImmReleaseContext(window, context);
}

}  // namespace
}  // namespace vorbel
