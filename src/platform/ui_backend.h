// What both backends of the controls share beyond the public headers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"
#include "platform/ui_types.h"

namespace vorbel {

// Where the test automation (ui_automation.h, built into the test programs
// only) reaches into the controls: the error box and the start of a dialog's
// modal loop. The program sets neither; unset, they do nothing.
struct TUiHooks {
  // Takes the standard error box (caption and text) instead of the screen.
  void (*errorBox)(std::string_view caption, std::string_view text) = nullptr;
  // Takes the question box and answers it instead of the user.
  bool (*questionBox)(std::string_view caption, std::string_view text, bool yesIsDefault) = nullptr;
  // Called with a dialog shown and focused, just before its modal loop.
  void (*modalLoop)(TForm& dialog) = nullptr;
};
TUiHooks& UiHooks();

// A control's layout bounds in its form's client coordinates (a group box
// member's position is within its box), at 96 DPI.
TRect DesignBoundsInForm(const TForm& form, const TControlLayout& layout);

// The button the layout names for Escape, or null.
TControl* CancelButtonOf(const TForm& form);

// Kinds of control that can hold the keyboard focus.
bool TakesFocus(TControlKind kind);

// The index of the drop-down list item with the text `text`, or -1.
int ComboIndexOf(const std::vector<std::string>& items, std::string_view text);

}  // namespace vorbel
