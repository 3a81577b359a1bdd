// Make: new texts from the memo lines, shaped like the last selected text and
// laid out from the origin at the pitch, inserted where the user places them.
// Also the three pitch boxes, which exclude each other.
#include <string_view>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "app/form1.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/creation.h"
#include "dxf/insertion_file.h"
#include "platform/application.h"
#include "workflow/memo_lines.h"

namespace vorbel {

namespace {

// How long the tool waits for AutoCAD to take the insertion (milliseconds).
constexpr unsigned kInsertionPatience = 5000;

}  // namespace

void TForm1::ButtonMakeClick() {
  TSelection& s = Selection;
  // New texts take the shape of a listed text: without one there is none.
  if (!s.Listed) return;
  // Without AutoCAD the window would hide and wait for nothing.
  if (FindAcadWindow() == kNoWindow) return;
  StopAwaitingPlacement();
  const std::string typedPath = PathForCommand(ExchangeFile());
  const double dX = StrToFloat(Edit1.Text());
  const double dY = StrToFloat(Edit2.Text());
  const std::vector<std::string> lines = MemoLinesForWriting();
  if (lines.empty() || !CheckSort.Checked()) return;
  const TBusyCursor busy;
  TLineList file =
      BuildCreationFile(s.DxfHead, s.DxfTemplate, s.DxfTail, NewTextsAtPitch(lines, s.MaxHandle, dX, dY));
  PrepareForInsertion(file);
  SaveLines(ExchangeFile(), file);
  // The texts keep the pattern's world angle and the pitch its world
  // direction wherever the user's UCS and angle base point: the placement
  // runs in the world UCS with angle base 0. The drawing's state comes from
  // a fresh export, else from the listed one.
  TLineList check;
  const TTypedInputState typedInput = ReadTypedInputState(ExportDrawingState(check) ? check : s.DxfHead);
  // One undo group holds the new texts; it ends when the placement does,
  // after the user's settings are back.
  SendCommand(
      "\x03"
      "_.UNDO _BE ");
  for (const std::string& command : WorldInputBegin(typedInput)) SendCommand(command);
  placementEnd_ = WorldInputEnd(typedInput);
  SendCommand("\x03-INSERT *" + typedPath + "\r");
  // The timer must not take the idle prompt from before the insertion for
  // its end.
  WaitForPrompt([](std::string_view prompt) { return !IsIdlePrompt(prompt); }, kInsertionPatience);
  TimerMode = TTimerMode::AwaitingPlacement;
  Timer1.SetEnabled(true);
  Minimize();
}

void TForm1::CheckXpitClick() {
  if (!CheckXpit.Checked()) return;
  CheckYpit.SetChecked(false);
  CheckXYpit.SetChecked(false);
}

void TForm1::CheckYpitClick() {
  if (!CheckYpit.Checked()) return;
  CheckXpit.SetChecked(false);
  CheckXYpit.SetChecked(false);
}

void TForm1::CheckXYpitClick() {
  if (!CheckXYpit.Checked()) return;
  CheckXpit.SetChecked(false);
  CheckYpit.SetChecked(false);
}

}  // namespace vorbel
