// The order of the list: file order, or coordinate order with the pitch
// fields and the tools that need a row or column of texts.
#include "acadctrl/text_functions.h"
#include "app/form1.h"
#include "base/numbers.h"
#include "platform/application.h"
#include "workflow/ordering.h"

namespace vorbel {

void TForm1::ShowPitch() {
  double dX = 0;
  double dY = 0;
  CalcPitch(Selection.TextEnts, dX, dY);
  Edit1.SetText(TrimZeros(FormatFixed12(dX)));
  Edit2.SetText(TrimZeros(FormatFixed12(dY)));
}

void TForm1::CheckSortClick() {
  if (!OrderChangeConfirmed()) return;
  const bool sorted = CheckSort.Checked();
  CheckXYpit.SetEnabled(sorted);
  if (!sorted) CheckXYpit.SetChecked(false);
  Edit1.SetEnabled(sorted);
  Edit2.SetEnabled(sorted);
  Label5.SetEnabled(sorted);
  Label6.SetEnabled(sorted);
  // Make needs the pattern of a listed text.
  ButtonMake.SetEnabled(sorted && Selection.Listed);
  TTextEnts& ents = Selection.TextEnts;
  if (ents.empty()) return;
  const TBusyCursor busy;
  // Lines beyond the records are new texts of no record: they keep their
  // place after the records and their edits.
  std::vector<std::string> lines = Memo1.Lines();
  std::vector<std::string> extra;
  if (lines.size() > ents.size()) {
    extra.assign(std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(ents.size())),
                 std::make_move_iterator(lines.end()));
  }
  if (sorted) {
    SortByCoords(ents);
  } else {
    SortByIndex(ents);
  }
  Memo1.Clear();
  Selection.BaseInsPoint = ents.back().InsPoint;
  Selection.BaseAlignPoint = ents.back().AlignPoint;
  ShowPitch();
  lines.clear();
  lines.reserve(ents.size() + extra.size());
  for (const TTextEnt& ent : ents) lines.push_back(ent.Text);
  for (std::string& line : extra) lines.push_back(std::move(line));
  Memo1.AddLines(lines);
}

}  // namespace vorbel
