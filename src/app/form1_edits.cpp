// Edits not written back: the memo's lines that the drawing does not hold
// are never thrown away without a word. Select, the other order and every
// way of closing the window ask first.
#include <string_view>

#include "app/form1.h"
#include "platform/application.h"
#include "workflow/unwritten_edits.h"

namespace vorbel {

namespace {

constexpr std::string_view kDiscardEditsQuestion =
    "編集した行はまだ図面に書き戻していません。編集を破棄して続けますか?";

}  // namespace

bool TForm1::MayDiscardEdits(bool edited) {
  // いいえ is the default: Enter pressed in haste keeps the edits.
  return !edited || AskYesNo(kDiscardEditsQuestion, false);
}

void TForm1::FormCloseQuery(bool& canClose) {
  canClose = MayDiscardEdits(HoldsUnwrittenEdits(Selection, Memo1.Lines()));
}

bool TForm1::OrderChangeConfirmed() {
  if (restoringOrder_) return false;
  // Listing again replaces the records' lines; lines beyond them stay.
  if (MayDiscardEdits(RecordLinesEdited(Selection, Memo1.Lines()))) return true;
  restoringOrder_ = true;
  CheckSort.SetChecked(!CheckSort.Checked());
  restoringOrder_ = false;
  return false;
}

}  // namespace vorbel
