// Selection and listing: Select hands the user over to AutoCAD to pick
// objects; the timer waits for the end of the selection, has AutoCAD export
// it and lists the strings of its texts. The same timer finishes the
// placement of new texts that Make starts.
#include <string_view>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "acadctrl/text_functions.h"
#include "app/form1.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/dxf_slices.h"
#include "workflow/ordering.h"

namespace vorbel {

namespace {

bool IsIdlePrompt(std::string_view prompt) { return prompt == "コマンド: " || prompt == "ｺﾏﾝﾄﾞ: "; }

bool TellsOfCancel(std::string_view line) {
  return line.find("キャンセル") != std::string_view::npos || line.find("ｷｬﾝｾﾙ") != std::string_view::npos;
}

}  // namespace

void TForm1::ButtonSelectClick() {
  Memo1.Clear();
  if (!ActivateAcad()) return;
  CheckXpit.SetEnabled(false);
  CheckYpit.SetEnabled(false);
  CheckXYpit.SetEnabled(false);
  Minimize();
  SendCommand("\x03\x03");
  SavedSnapMode = GetSysVar("SNAPMODE");
  SendCommand("SNAPMODE 0 ");
  SendCommand("SELECT ");
  TimerMode = 101;
  Timer1.SetEnabled(true);
}

void TForm1::Timer1Timer() {
  if (TimerMode == 101) {
    EndSelection();
  } else if (TimerMode == 201) {
    EndPlacement();
  }
}

void TForm1::EndSelection() {
  if (!IsIdlePrompt(ReadCommandLine())) return;
  Restore();
  TimerMode = 0;
  Timer1.SetEnabled(false);
  const std::string lastLine = LastHistoryLine();
  // Snap comes back whatever follows, also after a cancelled selection.
  SendCommand("SNAPMODE " + SavedSnapMode + "\r");
  if (TellsOfCancel(lastLine)) return;
  if (GetSelectedCount() <= 0) return;
  ExportSelection();
  if (LoadExport()) ListTextEnts();
}

void TForm1::ExportSelection() {
  const std::string exchangeFile = ExchangeFile();
  // A failed export must never be read as the file of an earlier one.
  DxfLines.clear();
  if (FileExists(exchangeFile)) DeleteFileAt(exchangeFile);
  SendCommand("FILEDIA 0 ");
  SendCommand("DXFOUT " + exchangeFile + "\r" + "V 2000 O P " + "\r" + "16 ");
  SendCommand("'FILEDIA 1 ");
}

bool TForm1::LoadExport() {
  const std::string exchangeFile = ExchangeFile();
  if (!FileExists(exchangeFile)) return false;
  TLineList exported = LoadLines(exchangeFile);
  // A cut export would let Update erase every selected object and bring
  // back only some: it counts as no export.
  if (!EndsWithEof(exported)) return false;
  DxfLines = std::move(exported);
  MaxHandle = GetMaxHandle(DxfLines);
  const int32_t count = ParseTextEnts(DxfLines, TextEnts);
  Label1.SetText(std::to_string(count));
  return count > 0;
}

void TForm1::ListTextEnts() {
  ButtonUpdate.SetEnabled(true);
  if (CheckSort.Checked()) SortByCoords(TextEnts);
  DxfTail.clear();
  DxfHead.clear();
  DxfTemplate.clear();
  // The last text in the current order is the pattern of every new text.
  const TTextEnt& last = TextEnts.back();
  CopyEntityByHandle("TEXT", last.Handle, DxfLines, DxfTemplate);
  BaseInsPoint = last.InsPoint;
  BaseAlignPoint = last.AlignPoint;
  CopyDxfHead(DxfLines, DxfHead);
  CopyDxfTail(DxfLines, DxfTail);
  ShowPitch();
  // Texts spaced along X may be forced onto one row, texts spaced along Y
  // onto one column.
  if (StrToFloat(Edit1.Text()) != 0) CheckYpit.SetEnabled(true);
  if (StrToFloat(Edit2.Text()) != 0) CheckXpit.SetEnabled(true);
  if (CheckSort.Checked()) CheckXYpit.SetEnabled(true);
  std::vector<std::string> lines;
  lines.reserve(TextEnts.size());
  for (const TTextEnt& ent : TextEnts) lines.push_back(ent.Text);
  Memo1.AddLines(lines);
  ButtonMake.SetEnabled(CheckSort.Checked());
}

void TForm1::EndPlacement() {
  const std::string prompt = ReadCommandLine();
  if (prompt.find("尺度を指定:") != std::string::npos) {
    // The user has picked the insertion point: scale 1, rotation angle 0.
    TimerMode = 0;
    Timer1.SetEnabled(false);
    SendCommand("1 0 ");
    Restore();
  } else if (IsIdlePrompt(prompt)) {
    // The insertion was cancelled or has ended.
    Restore();
    TimerMode = 0;
    Timer1.SetEnabled(false);
  }
}

}  // namespace vorbel
