#include "texttools/line_check_form.h"

#include <algorithm>

#include "texttools/memo_edit.h"

namespace vorbel {

namespace {

constexpr unsigned kAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;
constexpr unsigned kTopStretched = kAnchorLeft | kAnchorTop | kAnchorRight;
constexpr unsigned kRightBottom = kAnchorRight | kAnchorBottom;

TFormLayout MakeLineCheckFormLayout() {
  TFormLayout form;
  form.ClassName = "TLineCheckForm";
  form.Caption = "重複・欠番";
  form.Client = {420, 300};
  form.Style = TFormStyle::SizeableDialog;
  form.Font = kFormFont;
  form.CancelButton = "Button1";
  form.Controls = {
      {"Label1", TControlKind::Label, "", {8, 8, 404, 14}, kTopStretched, -1, "", {}, 0},
      {"ListView1",
       TControlKind::ListView,
       "",
       {8, 28, 404, 232},
       kAll,
       0,
       "",
       {},
       0,
       {},
       1,
       -1,
       {{"行", 48}, {"内容", 340}}},
      {"Button1", TControlKind::Button, "閉じる", {332, 268, 80, 25}, kRightBottom, 1, "", {}, 0},
  };
  return form;
}

// What the label says of a report.
std::string Summary(const TLineCheck& check, size_t lineCount) {
  if (lineCount == 0) return "メモに行がありません";
  if (check.empty()) return "重複・欠番はありません (" + std::to_string(lineCount) + " 行)";
  size_t gaps = 0;
  size_t steps = 0;
  for (const TNumberedRun& run : check.Runs) {
    gaps += run.Gaps.size();
    steps += run.BackSteps.size();
  }
  return "重複 " + std::to_string(check.Duplicates.size()) + " 件、欠番 " + std::to_string(gaps) +
         " 件、順序 " + std::to_string(steps) + " 件 (" + std::to_string(lineCount) + " 行)";
}

}  // namespace

TRect BesideOf(const TRect& owner, TSize size, TSize screen) {
  const int right = owner.Left + owner.Width;
  int left = owner.Left - size.Width;
  if (left < 0 && right + size.Width <= screen.Width) left = right;
  // Room on neither side: on the side with more, covering the owner least.
  if (left < 0 && right + size.Width > screen.Width) {
    left = owner.Left >= screen.Width - right ? 0 : screen.Width - size.Width;
  }
  left = std::max(0, left);
  const int top = std::max(0, std::min(owner.Top, screen.Height - size.Height));
  return {left, top, size.Width, size.Height};
}

const TFormLayout& LineCheckFormLayout() {
  static const TFormLayout layout = MakeLineCheckFormLayout();
  return layout;
}

TLineCheckForm::TLineCheckForm(TMemo& memo)
    : TForm(LineCheckFormLayout()),
      Label1(*this, "Label1"),
      ListView1(*this, "ListView1"),
      Button1(*this, "Button1"),
      Timer1(*this, kRecheckDelay),
      memo_(memo) {
  ListView1.OnGetText = [this](size_t row, size_t column) -> std::string {
    if (row >= entries_.size()) return {};
    const TCheckEntry& entry = entries_[row];
    if (column == 1) return entry.Text;
    return entry.Line == kNoLine ? std::string() : std::to_string(entry.Line + 1);
  };
  ListView1.OnDblClick = [this] { ListView1DblClick(); };
  Button1.OnClick = [this] { Button1Click(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
  // Closed, the report no longer follows the memo.
  OnClose = [this] { Timer1.SetEnabled(false); };
}

void TLineCheckForm::Recheck() {
  Timer1.SetEnabled(false);
  lines_ = memo_.Lines();
  const TLineCheck check = CheckLines(lines_);
  entries_ = LineCheckEntries(check, true);
  Label1.SetText(Summary(check, lines_.size()));
  ListView1.SetRowCount(entries_.size());
}

void TLineCheckForm::MemoChanged() {
  // Typing goes on undisturbed: each change puts the new report off again.
  Timer1.SetEnabled(false);
  Timer1.SetEnabled(true);
}

void TLineCheckForm::ListView1DblClick() {
  const int row = ListView1.ItemIndex();
  if (row < 0 || static_cast<size_t>(row) >= entries_.size()) return;
  const size_t line = entries_[static_cast<size_t>(row)].Line;
  if (line == kNoLine) return;
  // An entry holds while the memo has the lines the report read; after a
  // change it may not (the line moved, the other line of a duplicate or the
  // missing number came), and the report is worked out again instead.
  const std::vector<std::string> lines = memo_.Lines();
  if (lines != lines_) {
    Recheck();
    return;
  }
  memo_.SetFocus();
  memo_.SetSel(MemoLineStart(lines, line), lines[line].size());
}

void TLineCheckForm::Button1Click() { Close(); }

void TLineCheckForm::Timer1Timer() { Recheck(); }

}  // namespace vorbel
