// The in-memory state behind the headless controls and forms.
#pragma once

#include <cstddef>
#include <string>

#include "platform/controls.h"
#include "platform/forms.h"

namespace vorbel {

struct TControlImpl {
  std::string text;
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  int itemIndex = -1;
  bool imeClosed = false;
  size_t selStart = 0;
  size_t selLength = 0;
  TRect design;  // form client coordinates, 96 DPI
  std::string fontFace;
  TColor fontColor = kColorWindowText;
  TPopupMenu* popup = nullptr;
  size_t rowCount = 0;  // a list view's
  // The step Ctrl+Z takes back, kept as Windows' edit control keeps it: the
  // bytes it inserted from undoPosition on, and the bytes it deleted there.
  size_t undoPosition = 0;
  size_t undoInserted = 0;
  std::string undoDeleted;
};

struct TFormImpl {
  std::string caption;
  TRect normal;  // the outer bounds in the normal state
  bool visible = false;
  bool minimized = false;
  bool closed = false;
  bool modal = false;
  bool shown = false;  // shown at least once without a modal loop
  int dpi = 96;
  TControl* focused = nullptr;
};

// Ctrl+Z in an edit: takes back the step it keeps (a second Ctrl+Z brings it
// again) and selects the text brought back.
void UndoLastStep(TCustomEdit& edit);

// Focuses a control; `byMouse` keeps an edit's selection as a click does.
void FocusControl(TControl& control, bool byMouse);

// The frame of a headless window at its DPI: width and height the frame adds.
TSize FrameSize(const TForm& form);

}  // namespace vorbel
