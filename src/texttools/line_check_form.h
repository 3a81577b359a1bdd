// The report "重複・欠番" of the pop-up menu's "重複・欠番を調べる": a window
// beside the main window (not modal) that lists the duplicates, the gaps
// and the back steps of the memo's lines (line_checks.h). It follows the
// memo: a change of the memo has it worked out again a moment later, and a
// double click on an entry selects its line in the memo while the memo
// still holds the lines the entry was found in.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"
#include "texttools/line_checks.h"

namespace vorbel {

const TFormLayout& LineCheckFormLayout();

// Where a window of `size` stands beside `owner` without covering it: to
// its left where the screen has room there (the tool usually sits at the
// screen's right edge), else to its right; with room on neither side, at
// the screen's edge on the side with more. Top level with the owner's; kept
// inside the screen.
TRect BesideOf(const TRect& owner, TSize size, TSize screen);

class TLineCheckForm : public TForm {
 public:
  // The milliseconds between the memo's last change and the new report.
  static constexpr unsigned kRecheckDelay = 300;

  explicit TLineCheckForm(TMemo& memo);

  TLabel Label1;
  TListView ListView1;
  TButton Button1;
  TTimer Timer1;

  // Works the report out from the memo's lines now.
  void Recheck();
  // The memo changed: the report is worked out again once the memo has
  // rested for kRecheckDelay.
  void MemoChanged();

  // The report's entries, as the list shows them.
  const std::vector<TCheckEntry>& Entries() const { return entries_; }

  // Event handlers.
  void ListView1DblClick();
  void Button1Click();
  void Timer1Timer();

 private:
  TMemo& memo_;
  // The lines the report was worked out from, and its entries.
  std::vector<std::string> lines_;
  std::vector<TCheckEntry> entries_;
};

}  // namespace vorbel
