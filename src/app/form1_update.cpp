// Update: the edited lines go back into the export, AutoCAD erases the
// selection and inserts the rewritten file exploded at the origin, so every
// text comes back with its new string at its own place; lines beyond the
// records become new texts at the pitch.
#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "app/form1.h"
#include "app/update_preview_form.h"
#include "base/errors.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/creation.h"
#include "dxf/drawing_state.h"
#include "dxf/dxf_slices.h"
#include "dxf/entity_handles.h"
#include "dxf/insertion_file.h"
#include "dxf/rewrite.h"
#include "platform/application.h"
#include "texttools/string_utils.h"
#include "workflow/memo_lines.h"
#include "workflow/realign.h"
#include "workflow/update_checks.h"
#include "workflow/update_plan.h"
#include "workflow/world_input.h"

namespace vorbel {

namespace {

// Why an update did not start; the edited lines stay in the memo.
constexpr std::string_view kPreviousSetChanged =
    "AutoCAD の前回の選択セットが一覧の図形と違うため、更新しませんでした。編集した行は残っています。"
    "必要ならコピーしてから、もう一度「選択」してください";
constexpr std::string_view kPreviousSetUnknown =
    "AutoCAD の前回の選択セットを書き出せなかったため、更新しませんでした。編集した行は残っています。"
    "AutoCAD がコマンドを受け付ける状態にしてから、もう一度「更新」してください";

// The undo group around the update. The underscores take the English command
// and option names in every language version; the cancels first, as in the
// commands around them, so that an option AutoCAD refuses never leaves a
// prompt that would swallow the next command.
constexpr std::string_view kUndoGroupStart =
    "\x03\x03"
    "_.UNDO _BE ";
constexpr std::string_view kUndoGroupEnd =
    "\x03"
    "_.UNDO _E ";

// The point has three coordinates, so that ELEVATION gives it no Z, and
// "_non" before it, so that no running object snap moves it.
std::string InsertExploded(const std::string& typedPath) {
  return "\x03-INSERT *" + typedPath + "\r" + "_non 0,0,0 1 0 ";
}

void SendCommands(const std::vector<std::string>& commands) {
  for (const std::string& command : commands) SendCommand(command);
}

}  // namespace

std::vector<std::string> TForm1::MemoLinesForWriting() {
  std::vector<std::string> lines = Memo1.Lines();
  const size_t records = Selection.TextEnts.size();
  if (lines.size() <= records) return lines;
  const size_t before = lines.size();
  DeleteTrailingBlankLines(lines, records);
  if (lines.size() != before) {
    // The lines go from the memo as the user would delete them: the text
    // from the end of the last line kept up to the end.
    size_t keep = 0;
    for (size_t i = 0; i < lines.size(); ++i) keep += lines[i].size() + (i > 0 ? 2 : 0);
    Memo1.SetSel(keep, Memo1.Text().size() - keep);
    Memo1.ReplaceSelection("");
  }
  return lines;
}

// The first argument "/E", in any letter case.
bool TForm1::EndsAfterUpdate() const {
  if (arguments_.empty()) return false;
  std::string first = arguments_.front();
  ToUpperSingleByte(first);
  return first == "/E";
}

TRealignment TForm1::ChosenRealignment() const {
  if (CheckXYpit.Enabled() && CheckXYpit.Checked()) return TRealignment::Pitch;
  if (CheckXpit.Enabled() && CheckXpit.Checked()) return TRealignment::Column;
  if (CheckYpit.Enabled() && CheckYpit.Checked()) return TRealignment::Row;
  return TRealignment::None;
}

bool TForm1::ExportDrawingState(TLineList& check) {
  const std::string checkFile = CheckFile();
  check.clear();
  if (ExportPreviousSet(checkFile)) check = LoadLines(checkFile);
  DeleteFileAt(checkFile);
  return EndsWithEof(check);
}

std::string TForm1::UpdateProblem(const TLineList& check) const {
  if (!EndsWithEof(check)) return std::string(kPreviousSetUnknown);
  if (EntityHandles(check) != EntityHandles(Selection.DxfLines)) return std::string(kPreviousSetChanged);
  // ERASE leaves objects on locked layers; the insertion would double them.
  const TLockedObjects locked = ObjectsOnLockedLayers(check);
  if (locked.Count > 0) return LockedLayersMessage(locked);
  return {};
}

TTypedInputState TForm1::ReadTypedInputState(const TLineList& check) {
  const bool userUcs = GetSysVar("WORLDUCS") == "0";
  const bool ucsFollow = userUcs && GetSysVar("UCSFOLLOW") == "1";
  return TypedInputState(check, userUcs, ucsFollow);
}

TUpdatePlan TForm1::PlanUpdateOf(const std::vector<std::string>& lines, double dX, double dY) const {
  return PlanUpdate(Selection, lines, ChosenRealignment(), dX, dY, CheckSort.Checked());
}

void TForm1::WriteUpdateFile(const TUpdatePlan& plan) {
  TSelection& s = Selection;
  s.TextEnts = plan.TextEnts;
  s.BaseInsPoint = plan.BaseInsPoint;
  s.BaseAlignPoint = plan.BaseAlignPoint;
  ApplyTextEnts(s.TextEnts, s.DxfLines);
  DeleteMarkedEntities(s.TextEnts, s.DxfLines);
  PrepareForInsertion(s.DxfLines);
  // Saving is complete or raises: nothing is erased unless the file is whole.
  SaveLines(ExchangeFile(), s.DxfLines);
}

bool TForm1::ConfirmUpdate(const TUpdatePreview& preview, const std::string& redrawQuestion) {
  // The preview opens by itself when texts would be lost or misplaced
  // unseen, and then Enter cancels; asked for by the menu, Enter updates,
  // unless objects other than texts are drawn again (the question's own
  // default).
  if (preview.NeedsLook() || PopupMenu1.Item("ConfirmUpdate1").Checked) {
    TUpdatePreviewForm form(preview, redrawQuestion, preview.NeedsLook() || !redrawQuestion.empty());
    return form.Execute();
  }
  return redrawQuestion.empty() || AskYesNo(redrawQuestion, false);
}

void TForm1::ButtonUpdateClick() {
  TSelection& s = Selection;
  // Only lines listed from a selection may go back into it.
  if (!s.Listed || s.TextEnts.empty()) return;
  // Without AutoCAD nothing could reach the drawing: the edits stay.
  if (FindAcadWindow() == kNoWindow) return;
  StopAwaitingPlacement();
  const std::string exchangeFile = PathForCommand(ExchangeFile());
  const std::string newTextsFile = PathForCommand(NewTextsFile());
  // A pitch that is no number stops the update before anything changes, so
  // that the lines can still be written back once it is mended.
  const double dX = StrToFloat(Edit1.Text());
  const double dY = StrToFloat(Edit2.Text());
  // What the update will do, worked out from a copy of the memo's lines by
  // the code that writes it: the memo stays as it is until the user agrees.
  std::vector<std::string> lines = Memo1.Lines();
  DeleteTrailingBlankLines(lines, s.TextEnts.size());
  const TUpdatePlan plan = PlanUpdateOf(lines, dX, dY);
  const TUpdatePreview preview = PreviewUpdate(s, lines, plan);
  const TBusyCursor busy;
  const bool makeEnabled = ButtonMake.Enabled();
  ButtonMake.SetEnabled(false);
  ButtonUpdate.SetEnabled(false);
  // Refused or not confirmed, nothing that changes the drawing was sent: the
  // user may try again.
  const auto keepLines = [&] {
    ButtonUpdate.SetEnabled(true);
    ButtonMake.SetEnabled(makeEnabled);
  };
  // ERASE P erases AutoCAD's previous selection set: it must still be the
  // listed objects, not what the user selected in AutoCAD since, and they
  // must be erasable. The same export tells the drawing's state.
  TLineList check;
  ExportDrawingState(check);
  if (const std::string problem = UpdateProblem(check); !problem.empty()) {
    keepLines();
    throw TRuntimeError(problem);
  }
  // One confirmation at most: the preview, carrying the question about
  // objects other than plain texts (they come back as the exchange file
  // holds them) when it opens, else that question alone.
  const auto kinds = ObjectsBeyondPlainTexts(check);
  if (!ConfirmUpdate(preview, kinds.empty() ? std::string() : RedrawQuestion(kinds))) {
    keepLines();
    return;
  }
  const TTypedInputState typedInput = ReadTypedInputState(check);
  MemoLinesForWriting();
  WriteUpdateFile(plan);
  // Lines beyond the records become new texts, in a file of their own: AutoCAD
  // may read the first file after the send has returned.
  const bool newTexts = !plan.NewTexts.empty();
  if (newTexts) {
    TLineList file = BuildCreationFile(s.DxfHead, s.DxfTemplate, s.DxfTail, plan.NewTexts);
    PrepareForInsertion(file);
    SaveLines(NewTextsFile(), file);
  }
  // One undo group holds the whole update: a single U takes it back.
  SendCommand(kUndoGroupStart);
  // "\x03" and "ERASE" apart: "\x03E" would be one escape.
  SendCommand(
      "\x03\x03"
      "ERASE P \r");
  SendCommands(WorldInputBegin(typedInput));
  SendCommand(InsertExploded(exchangeFile));
  if (newTexts) SendCommand(InsertExploded(newTextsFile));
  SendCommands(WorldInputEnd(typedInput));
  SendCommand(kUndoGroupEnd);
  Memo1.Clear();
  Label1.SetText("0");
  Label3.SetText("0");
  Label3.SetFontColor(kColorBlack);
  s.TextEnts.clear();
  Edit1.SetText("0");
  Edit2.SetText("0");
  if (EndsAfterUpdate()) Close();
}

}  // namespace vorbel
