// The memo's pop-up menu: select all, the case and width conversions of the
// selection, the three dialogs that rewrite or append lines, and the two
// checks of the lines (duplicates and gaps, machine-dependent characters)
// and the check item 更新前に確認; a double click in the memo, once a
// selection has been read, appends numbered lines.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "base/numbers.h"
#include "cp932/cp932.h"
#include "platform/application.h"
#include "texttools/acad_codes.h"
#include "texttools/char_check_form.h"
#include "texttools/form2.h"
#include "texttools/form3.h"
#include "texttools/form4.h"
#include "texttools/line_check_form.h"
#include "texttools/memo_edit.h"
#include "texttools/number_kinds.h"
#include "texttools/string_utils.h"
#include "workflow/selection.h"

namespace vorbel {

namespace {

// The commands that act on the selection, enabled only while there is one.
constexpr const char* kSelectionItems[] = {"n1", "N5", "N8", "N11", "N16", "N17", "Replace1"};
// The checks, enabled only while the memo has lines.
constexpr const char* kLinesItems[] = {"CheckLines1", "CheckChars1"};

// Converts the selected text as one string, AutoCAD's codes in it left as
// they are, and puts it in place of the selection as a step that Ctrl+Z
// takes back; the caret then stands behind it. The codes are found in the
// memo's whole text, so the part of a code that the selection cuts stays too.
void ConvertSelection(TMemo& memo, void (*convert)(std::string&)) {
  const std::string text = memo.Text();
  memo.ReplaceSelection(ConvertOutsideCodes(text, memo.SelStart(), memo.SelLength(), convert),
                        TUndo::NewStep);
}

// The index of the line that holds the selection's start: the first line
// whose end (before its line break) is not before it, else the last line.
size_t LineAtSelStart(const std::vector<std::string>& lines, size_t selStart) {
  size_t end = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    end += lines[i].size();
    if (selStart <= end) return i;
    end += 2;
  }
  return lines.size() - 1;
}

}  // namespace

void TForm1::MakePopupMenu1() {
  struct TItem {
    const char* name;
    const char* caption;
    void (TForm1::*handler)();
  };
  static constexpr TItem kItems[] = {
      {"N18", "すべてを選択", &TForm1::N18Click},
      {"N19", "-", nullptr},
      {"n1", "加算、減算", &TForm1::n1Click},
      {"N5", "先頭行が基準の連番に", &TForm1::N5Click},
      {"N6", "-", nullptr},
      {"Replace1", "置換", &TForm1::Replace1Click},
      {"N3", "-", nullptr},
      {"N8", "大文字に", &TForm1::N8Click},
      {"N11", "小文字に", &TForm1::N11Click},
      {"N12", "-", nullptr},
      {"N16", "全角に", &TForm1::N16Click},
      {"N17", "半角に", &TForm1::N17Click},
      {"N2", "-", nullptr},
      {"N4", "最終行に連番追加", &TForm1::N4Click},
      // Looking before writing back: the checks of the memo's lines, then
      // whether 更新 shows what it will do first.
      {"N20", "-", nullptr},
      {"CheckLines1", "重複・欠番を調べる", &TForm1::CheckLines1Click},
      {"CheckChars1", "機種依存文字を調べる", &TForm1::CheckChars1Click},
      {"ConfirmUpdate1", "更新前に確認", nullptr},
  };
  for (const TItem& item : kItems) {
    TMenuItem& added = PopupMenu1.Add(item.name, item.caption);
    if (item.handler != nullptr) added.OnClick = [this, handler = item.handler] { (this->*handler)(); };
  }
  // A setting, kept in the settings file: 更新 then always shows its
  // preview first.
  PopupMenu1.Item("ConfirmUpdate1").AutoCheck = true;
  PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
  Memo1.OnDblClick = [this] { Memo1DblClick(); };
}

void TForm1::PopupMenu1Popup() {
  const bool selected = Memo1.SelLength() != 0;
  for (const char* name : kSelectionItems) PopupMenu1.Item(name).Enabled = selected;
  const bool hasLines = Memo1.LineCount() != 0;
  for (const char* name : kLinesItems) PopupMenu1.Item(name).Enabled = hasLines;
}

void TForm1::N18Click() { Memo1.SelectAll(); }

void TForm1::n1Click() {
  if (Memo1.SelLength() == 0) return;
  TForm3 form3(Memo1);
  form3.SetCaption(kAddCaption);
  form3.ShowModal();
  if (form3.UnchangedLines() > 0) ShowErrorBox(UnchangedLinesMessage(form3.UnchangedLines()));
}

void TForm1::N5Click() {
  if (Memo1.LineCount() == 0) return;
  TForm3 form3(Memo1);
  form3.SetCaption("連番");
  form3.ShowModal();
  if (form3.UnchangedLines() > 0) ShowErrorBox(UnchangedLinesMessage(form3.UnchangedLines()));
}

void TForm1::Replace1Click() {
  const std::vector<std::string> lines = Memo1.Lines();
  if (lines.empty()) return;
  const std::string& line = lines[LineAtSelStart(lines, Memo1.SelStart())];
  TForm4 form4(Memo1);
  form4.Edit1.SetText(line);
  form4.Edit2.SetText(line);
  form4.ShowModal();
}

void TForm1::N8Click() { ConvertSelection(Memo1, ToUpperSingleByte); }
void TForm1::N11Click() { ConvertSelection(Memo1, ToLowerSingleByte); }
void TForm1::N16Click() { ConvertSelection(Memo1, ToFullWidth); }
void TForm1::N17Click() { ConvertSelection(Memo1, ToHalfWidth); }

void TForm1::N4Click() {
  const std::vector<std::string> lines = Memo1.Lines();
  if (lines.empty()) return;
  // The last line with more than blanks and control characters, or the last
  // line when all are blank.
  size_t count = lines.size();
  while (count > 0 && IsBlank(lines[count - 1])) --count;
  const std::string& line = count > 0 ? lines[count - 1] : lines.back();
  // The item that ends the line, its kind and the value after it; an ASCII
  // number beyond 2147483647 raises the conversion error before the dialog
  // exists.
  const TContinuation next = ContinueLine(line);
  TForm2 form2(Memo1);
  form2.Edit1.SetText(next.Prefix);
  if (next.Found) {
    // The kind first: its change writes the design's initial value in the
    // kind's notation, which the continuation then replaces.
    form2.ComboBox1.SetItemIndex(static_cast<int>(next.Kind));
    form2.Edit2.SetText(next.Initial);
    form2.Edit5.SetText("1");
  }
  form2.Edit4.SetText(next.Suffix);
  form2.ShowModal();
}

std::vector<std::string> TForm1::TextsForChecking() const {
  std::vector<std::string> texts = Memo1.Lines();
  if (Selection.Listed) KeepUntouchedBytes(Selection, texts);
  return texts;
}

void TForm1::CheckLines1Click() {
  if (Memo1.LineCount() == 0) return;
  const bool first = !lineCheckForm_;
  if (first) lineCheckForm_ = std::make_unique<TLineCheckForm>(Memo1);
  lineCheckForm_->Recheck();
  lineCheckForm_->ShowModeless();
  // The report is read while the memo is edited: the first time it stands
  // beside the main window instead of over its memo; later where the user
  // left it.
  if (first) {
    TLineCheckForm& report = *lineCheckForm_;
    report.SetBounds(
        BesideOf(Bounds(), TSize{report.Width(), report.Height()}, {ScreenWidth(), ScreenHeight()}));
  }
}

void TForm1::CheckChars1Click() {
  if (Memo1.LineCount() == 0) return;
  const auto replaceLines = [this](const std::vector<TLineReplacement>& replacements) {
    // One replacement from the first to the last replaced line: one change
    // of the memo; the lines between keep what the memo holds.
    const std::vector<std::string> before = Memo1.Lines();
    std::vector<std::string> lines = before;
    for (const auto& [line, text] : replacements) lines[line] = text;
    const auto first = static_cast<std::ptrdiff_t>(replacements.front().first);
    const auto last = static_cast<std::ptrdiff_t>(replacements.back().first);
    ReplaceMemoLines(Memo1, before, replacements.front().first,
                     std::vector<std::string>(lines.begin() + first, lines.begin() + last + 1));
    // A replaced line may look in the memo like the text it came from (≒ of
    // NEC row 13 shows as the JIS ≒ it becomes): it must go back as the memo
    // holds it, not with the text's own bytes.
    if (Selection.Listed) {
      for (const auto& replacement : replacements) ForgetShown(Selection, replacement.first);
    }
  };
  TCharCheckForm form([this] { return TextsForChecking(); }, replaceLines);
  form.ShowModal();
}

void TForm1::Memo1DblClick() {
  if (!Selection.TextEnts.empty()) N4Click();
}

}  // namespace vorbel
