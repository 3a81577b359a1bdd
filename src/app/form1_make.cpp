// Make: new texts from the memo lines, shaped like the last selected text and
// laid out from the origin at the pitch, inserted where the user places them.
// Also the three pitch boxes, which exclude each other.
#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "app/form1.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/creation.h"
#include "workflow/memo_lines.h"

namespace vorbel {

void TForm1::ButtonMakeClick() {
  // Without AutoCAD the window would hide and wait for nothing.
  if (FindAcadWindow() == kNoWindow) return;
  const double dX = StrToFloat(Edit1.Text());
  const double dY = StrToFloat(Edit2.Text());
  const std::vector<std::string> lines = MemoLinesForWriting();
  if (lines.empty() || !CheckSort.Checked()) return;
  const std::string exchangeFile = ExchangeFile();
  SaveLines(exchangeFile,
            BuildCreationFile(DxfHead, DxfTemplate, DxfTail, NewTextsAtPitch(lines, MaxHandle, dX, dY)));
  SendCommand("\x03-INSERT *" + exchangeFile + "\r");
  TimerMode = 201;
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
