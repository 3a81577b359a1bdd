// Selection and listing: Select hands the user over to AutoCAD to pick
// objects; the timer waits for the end of the selection, has AutoCAD export
// it and lists the strings of its texts. The same timer finishes the
// placement of new texts that Make starts.
//
// AutoCAD may carry typed input out only after the send has returned, so
// what the tool reads after a command waits, for a short while, until AutoCAD
// shows the prompt or the file the command leads to.
#include <string_view>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "acadctrl/text_functions.h"
#include "app/form1.h"
#include "base/files.h"
#include "base/numbers.h"
#include "cp932/cp932.h"
#include "dxf/dxf_slices.h"
#include "platform/application.h"
#include "platform/file_path.h"
#include "workflow/ordering.h"
#include "workflow/unwritten_edits.h"

namespace vorbel {

namespace {

// How long the tool waits for AutoCAD to take a command (milliseconds).
constexpr unsigned kCommandPatience = 5000;
// How long it waits for an export to be complete.
constexpr unsigned kExportPatience = 10000;
// The end of an export is looked for in this many last bytes of the file.
constexpr size_t kExportTailBytes = 64;

// The end of the undo group Make began, once the placement has ended.
constexpr std::string_view kPlacementGroupEnd = "_.UNDO _E ";

bool TellsOfCancel(std::string_view line) {
  return line.find("キャンセル") != std::string_view::npos || line.find("ｷｬﾝｾﾙ") != std::string_view::npos;
}

// AutoCAD asks for objects: the selection has begun.
bool AsksForObjects(std::string_view prompt) {
  return prompt.find("オブジェクトを") != std::string_view::npos ||
         prompt.find("ｵﾌﾞｼﾞｪｸﾄを") != std::string_view::npos;
}

// The file's last two lines that are not blank are "0" and "EOF": AutoCAD has
// written the whole export. Read from the file's end only, since it may still
// be growing.
bool EndsWithEofPair(const std::string& path) {
  const TLineList tail = TLineList::FromBytes(ReadFileTail(path, kExportTailBytes));
  std::string_view last[2];
  size_t found = 0;
  for (size_t i = tail.size(); i > 0 && found < 2; --i) {
    const std::string_view line = TrimBlanks(tail[i - 1]);
    if (!line.empty()) last[found++] = line;
  }
  return found == 2 && last[0] == "EOF" && last[1] == "0";
}

}  // namespace

void TForm1::ButtonSelectClick() {
  // A path AutoCAD cannot take stops Select before anything changes.
  PathForCommand(ExchangeFile());
  if (!MayDiscardEdits(HoldsUnwrittenEdits(Selection, Memo1.Lines()))) return;
  Memo1.Clear();
  ForgetSelection();
  if (!ActivateAcad()) return;
  StopAwaitingPlacement();
  CheckXpit.SetEnabled(false);
  CheckYpit.SetEnabled(false);
  CheckXYpit.SetEnabled(false);
  Minimize();
  SendCommand("\x03\x03");
  SavedSnapMode = GetSysVar("SNAPMODE");
  SendCommand("SNAPMODE 0 ");
  SendCommand("SELECT ");
  // The timer must not take the idle prompt from before the selection for
  // its end.
  WaitForPrompt(AsksForObjects, kCommandPatience);
  TimerMode = TTimerMode::AwaitingSelection;
  Timer1.SetEnabled(true);
}

void TForm1::ForgetSelection() {
  // The memo's lines no longer belong to the records: writing them back would
  // erase texts. Update and Make wait for the next complete listing.
  Selection = TSelection();
  ButtonUpdate.SetEnabled(false);
  ButtonMake.SetEnabled(false);
}

void TForm1::Timer1Timer() {
  if (TimerMode == TTimerMode::Idle) return;
  if (FindAcadWindow() == kNoWindow) {
    // AutoCAD has been closed: nothing will come. The window comes back.
    Restore();
    TimerMode = TTimerMode::Idle;
    Timer1.SetEnabled(false);
    return;
  }
  if (TimerMode == TTimerMode::AwaitingSelection) {
    EndSelection();
  } else {
    EndPlacement();
  }
}

void TForm1::EndSelection() {
  if (!IsIdlePrompt(ReadCommandLine())) return;
  const TBusyCursor busy;
  Restore();
  TimerMode = TTimerMode::Idle;
  Timer1.SetEnabled(false);
  const std::string lastLine = LastHistoryLine();
  // Snap comes back whatever follows, also after a cancelled selection.
  SendCommand("SNAPMODE " + SavedSnapMode + "\r");
  if (TellsOfCancel(lastLine)) return;
  WaitForPrompt(IsIdlePrompt, kCommandPatience);
  if (GetSelectedCount() <= 0) return;
  // A failed export must never be read as the file of an earlier one.
  Selection.DxfLines.clear();
  for (const std::string& file : {ExchangeFile(), NewTextsFile(), CheckFile()}) DeleteFileAt(file);
  if (ExportPreviousSet(ExchangeFile()) && LoadExport()) ListTextEnts();
}

bool TForm1::ExportPreviousSet(const std::string& file) {
  const std::string typed = PathForCommand(file);
  DeleteFileAt(file);
  SendCommand("FILEDIA 0 ");
  SendCommand("DXFOUT " + typed + "\r" + "V 2000 O P " + "\r" + "16 ");
  SendCommand("'FILEDIA 1 ");
  return WaitUntil([&] { return FindAcadWindow() == kNoWindow || EndsWithEofPair(file); }, kExportPatience) &&
         EndsWithEofPair(file);
}

bool TForm1::LoadExport() {
  const std::string exchangeFile = ExchangeFile();
  if (!FileExists(exchangeFile)) return false;
  TLineList exported = LoadLines(exchangeFile);
  // A cut export would let Update erase every selected object and bring
  // back only some: it counts as no export.
  if (!EndsWithEof(exported)) return false;
  Selection.DxfLines = std::move(exported);
  Selection.MaxHandle = GetMaxHandle(Selection.DxfLines);
  const int32_t count = ParseTextEnts(Selection.DxfLines, Selection.TextEnts);
  Label1.SetText(std::to_string(count));
  return count > 0;
}

void TForm1::ListTextEnts() {
  TSelection& s = Selection;
  ButtonUpdate.SetEnabled(true);
  if (CheckSort.Checked()) SortByCoords(s.TextEnts);
  s.DxfTail.clear();
  s.DxfHead.clear();
  s.DxfTemplate.clear();
  // The last text in the current order is the pattern of every new text.
  const TTextEnt& last = s.TextEnts.back();
  CopyEntityByHandle("TEXT", last.Handle, s.DxfLines, s.DxfTemplate);
  s.BaseInsPoint = last.InsPoint;
  s.BaseAlignPoint = last.AlignPoint;
  CopyDxfHead(s.DxfLines, s.DxfHead);
  CopyDxfTail(s.DxfLines, s.DxfTail);
  ShowPitch();
  // Texts spaced along X may be forced onto one row, texts spaced along Y
  // onto one column.
  if (StrToFloat(Edit1.Text()) != 0) CheckYpit.SetEnabled(true);
  if (StrToFloat(Edit2.Text()) != 0) CheckXpit.SetEnabled(true);
  if (CheckSort.Checked()) CheckXYpit.SetEnabled(true);
  std::vector<std::string> lines;
  lines.reserve(s.TextEnts.size());
  for (const TTextEnt& ent : s.TextEnts) lines.push_back(ent.Text);
  Memo1.AddLines(lines);
  RememberShown(s, Memo1.Lines());
  s.Listed = true;
  ButtonMake.SetEnabled(CheckSort.Checked());
}

void TForm1::EndPlacement() {
  const std::string prompt = ReadCommandLine();
  if (prompt.find("尺度を指定:") != std::string::npos) {
    // The user has picked the insertion point: scale 1, rotation angle 0.
    TimerMode = TTimerMode::Idle;
    Timer1.SetEnabled(false);
    SendCommand("1 0 ");
    EndPlacementGroup();
    Restore();
  } else if (IsIdlePrompt(prompt)) {
    // The insertion was cancelled or has ended.
    Restore();
    TimerMode = TTimerMode::Idle;
    Timer1.SetEnabled(false);
    EndPlacementGroup();
  }
}

void TForm1::StopAwaitingPlacement() {
  if (TimerMode != TTimerMode::AwaitingPlacement) return;
  // The user turned to the window while AutoCAD still asks for the point: the
  // insertion is cancelled and the undo group Make began ends.
  TimerMode = TTimerMode::Idle;
  Timer1.SetEnabled(false);
  SendCommand("\x03");
  EndPlacementGroup();
}

void TForm1::EndPlacementGroup() {
  // The UCS, angle base and elevation Make changed come back first, inside
  // the group, so that one U takes the new texts back and leaves them.
  for (const std::string& command : placementEnd_) SendCommand(command);
  placementEnd_.clear();
  SendCommand(kPlacementGroupEnd);
}

}  // namespace vorbel
