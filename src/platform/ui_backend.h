// What both backends of the controls share beyond the public headers.
#pragma once

#include "platform/forms.h"
#include "platform/ui_types.h"

namespace vorbel {

// A control's layout bounds in its form's client coordinates (a group box
// member's position is within its box), at 96 DPI.
TRect DesignBoundsInForm(const TForm& form, const TControlLayout& layout);

// Kinds of control that can hold the keyboard focus.
bool TakesFocus(TControlKind kind);

}  // namespace vorbel
