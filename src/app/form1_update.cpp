// Update: the edited lines go back into the export, AutoCAD erases the
// selection and inserts the rewritten file exploded at the origin, so every
// text comes back with its new string at its own place; lines beyond the
// records become new texts at the pitch.
#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "app/form1.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/creation.h"
#include "dxf/rewrite.h"
#include "texttools/string_utils.h"
#include "workflow/memo_lines.h"
#include "workflow/realign.h"

namespace vorbel {

std::vector<std::string> TForm1::MemoLinesForWriting() {
  std::vector<std::string> lines = Memo1.Lines();
  if (lines.size() <= TextEnts.size()) return lines;
  const size_t before = lines.size();
  DeleteTrailingBlankLines(lines, TextEnts.size());
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

void TForm1::WriteUpdateFile(const std::vector<std::string>& lines, double dX, double dY) {
  // Each line goes to the text listed on it before a realignment puts the
  // records into coordinate order, so texts may move but never swap
  // strings.
  TakeMemoLines(lines, TextEnts);
  Realign(TextEnts, ChosenRealignment(), dX, dY, BaseInsPoint, BaseAlignPoint);
  ApplyTextEnts(TextEnts, DxfLines);
  DeleteMarkedEntities(TextEnts, DxfLines);
  // Saving is complete or raises: nothing is erased unless the file is whole.
  SaveLines(ExchangeFile(), DxfLines);
}

void TForm1::ButtonUpdateClick() {
  // Without AutoCAD nothing could reach the drawing: the edits stay.
  if (FindAcadWindow() == kNoWindow) return;
  ButtonMake.SetEnabled(false);
  ButtonUpdate.SetEnabled(false);
  const double dX = StrToFloat(Edit1.Text());
  const double dY = StrToFloat(Edit2.Text());
  const std::vector<std::string> lines = MemoLinesForWriting();
  WriteUpdateFile(lines, dX, dY);
  const std::string exchangeFile = ExchangeFile();
  // "\x03" and "ERASE" apart: "\x03E" would be one escape.
  SendCommand(
      "\x03\x03"
      "ERASE P \r");
  SendCommand("\x03-INSERT *" + exchangeFile + "\r" + "0,0 1 0 ");
  if (lines.size() > TextEnts.size() && CheckSort.Checked()) {
    const std::vector<TNewText> texts =
        ExtraTextsAtPitch(lines, TextEnts.size(), MaxHandle, BaseInsPoint, BaseAlignPoint, dX, dY);
    SaveLines(exchangeFile, BuildCreationFile(DxfHead, DxfTemplate, DxfTail, texts));
    SendCommand("\x03-INSERT *" + exchangeFile + "\r" + "0,0 1 0 ");
  }
  Memo1.Clear();
  Label1.SetText("0");
  Label3.SetText("0");
  Label3.SetFontColor(kColorBlack);
  TextEnts.clear();
  Edit1.SetText("0");
  Edit2.SetText("0");
  if (EndsAfterUpdate()) Close();
}

}  // namespace vorbel
