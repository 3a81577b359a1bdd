#include "texttools/form3.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "base/numbers.h"
#include "texttools/memo_edit.h"
#include "texttools/number_kinds.h"
#include "texttools/string_utils.h"

namespace vorbel {

namespace {

constexpr TControlKind kButton = TControlKind::Button;
constexpr TControlKind kCheckBox = TControlKind::CheckBox;
constexpr TControlKind kEdit = TControlKind::Edit;
constexpr TControlKind kGroupBox = TControlKind::GroupBox;
constexpr TControlKind kRadioGroup = TControlKind::RadioGroup;
constexpr unsigned kLeftTop = kAnchorLeft | kAnchorTop;

constexpr unsigned kBackspace = 8;
constexpr unsigned kEnter = 13;

// The radio item "最後": the last run of digits in a line.
constexpr int kLastNumber = 1;

TFormLayout MakeForm3Layout() {
  TFormLayout form;
  form.ClassName = "TForm3";
  form.Caption = kAddCaption;
  form.Client = {129, 161};
  form.Style = TFormStyle::ToolDialog;
  form.Font = kFormFont;
  // Name, kind, caption, position (left, top, width, height), anchors, tab
  // order, parent, font, initial state, radio items, columns, selected item.
  form.Controls = {
      {"Button1", kButton, "実行", {14, 130, 49, 25}, kLeftTop, 0, "", {}, 0},
      {"RadioGroup1",
       kRadioGroup,
       "対象数値",
       {0, 2, 127, 35},
       kLeftTop,
       1,
       "",
       {},
       0,
       {"最初", "最後"},
       2,
       kLastNumber},
      {"GroupBox1", kGroupBox, "加算数", {0, 82, 127, 39}, kLeftTop, 2, "", {}, 0},
      {"Edit1", kEdit, "1", {16, 14, 89, 20}, kLeftTop, 0, "GroupBox1", {}, 0},
      {"Button2", kButton, "ｷｬﾝｾﾙ", {68, 130, 51, 25}, kLeftTop, 3, "", {}, 0},
      {"GroupBox2", kGroupBox, "桁合わせ", {0, 40, 127, 37}, kLeftTop, 4, "", {}, 0},
      {"CheckBox1", kCheckBox, "前に 0 を追加", {14, 14, 95, 17}, kLeftTop, 0, "GroupBox2", {}, kChecked},
  };
  return form;
}

// Sums and products wrap around in 32 bits.
int32_t WrappedSum(int32_t a, uint32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + b); }

}  // namespace

const TFormLayout& Form3Layout() {
  static const TFormLayout layout = MakeForm3Layout();
  return layout;
}

TForm3::TForm3(TMemo& memo)
    : TForm(Form3Layout()),
      Button1(*this, "Button1"),
      RadioGroup1(*this, "RadioGroup1"),
      GroupBox1(*this, "GroupBox1"),
      Edit1(*this, "Edit1"),
      Button2(*this, "Button2"),
      GroupBox2(*this, "GroupBox2"),
      CheckBox1(*this, "CheckBox1"),
      memo_(memo) {
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  Edit1.OnKeyPress = [this](unsigned& key) { Edit1KeyPress(key); };
}

void TForm3::Button1Click() {
  unchangedLines_ = 0;
  int firstLine = 0;
  int lastLine = 0;
  if (GetSelLineRange(memo_, firstLine, lastLine)) {
    const bool fromEnd = RadioGroup1.ItemIndex() == kLastNumber;
    const int32_t amount = StrToIntDef(Edit1.Text(), 0);
    const std::vector<std::string> lines = memo_.Lines();
    if (amount != 0 && !lines.empty() && firstLine >= 0 && firstLine <= lastLine) {
      const auto first = static_cast<size_t>(firstLine);
      const size_t last = std::min(static_cast<size_t>(lastLine), lines.size() - 1);
      if (Caption() == kAddCaption) {
        AddToLines(lines, first, last, fromEnd, amount);
      } else {
        RenumberLines(lines, first, last, fromEnd, amount);
      }
    }
  }
  Close();
}

void TForm3::AddToLines(const std::vector<std::string>& lines, size_t firstLine, size_t lastLine,
                        bool fromEnd, int32_t amount) {
  // The lines from firstLine on as they become; a number that cannot be read
  // ends the walk with the lines before it rewritten.
  std::vector<std::string> result;
  size_t firstChanged = lastLine + 1;
  size_t lastChanged = firstLine;
  const auto rewrite = [&] {
    if (firstChanged > lastChanged) return;
    const auto from = result.begin() + static_cast<std::ptrdiff_t>(firstChanged - firstLine);
    const auto to = result.begin() + static_cast<std::ptrdiff_t>(lastChanged - firstLine) + 1;
    ReplaceMemoLines(memo_, lines, firstChanged, std::vector<std::string>(from, to));
  };
  try {
    for (size_t i = firstLine; i <= lastLine; ++i) {
      const std::string& line = lines[i];
      const std::optional<TNumberRun> run = FindNumberRun(line, fromEnd);
      if (!run) {
        result.push_back(line);
        continue;
      }
      const std::string_view number = std::string_view(line).substr(run->Begin, run->End - run->Begin);
      const int32_t value = WrappedSum(NumberRunValue(number, run->Notation), static_cast<uint32_t>(amount));
      const std::optional<std::string> text =
          FormatNumberRun(value, run->Notation, CharCount(number), CheckBox1.Checked());
      if (!text) {
        // No circled number for the result: the line stays as it was.
        ++unchangedLines_;
        result.push_back(line);
        continue;
      }
      result.push_back(line.substr(0, run->Begin) + *text + line.substr(run->End));
      firstChanged = std::min(firstChanged, i);
      lastChanged = i;
    }
  } catch (...) {
    rewrite();
    throw;
  }
  rewrite();
}

void TForm3::RenumberLines(const std::vector<std::string>& lines, size_t firstLine, size_t lastLine,
                           bool fromEnd, int32_t amount) {
  const std::string& model = lines[firstLine];
  const std::optional<TNumberRun> run = FindNumberRun(model, fromEnd);
  if (!run) return;
  const std::string_view number = std::string_view(model).substr(run->Begin, run->End - run->Begin);
  const int32_t base = NumberRunValue(number, run->Notation);
  const std::string prefix = model.substr(0, run->Begin);
  const std::string suffix = model.substr(run->End);
  std::vector<std::string> result;
  for (size_t i = firstLine + 1; i <= lastLine; ++i) {
    const auto steps = static_cast<uint32_t>(i - firstLine);
    const int32_t value = WrappedSum(base, steps * static_cast<uint32_t>(amount));
    const std::optional<std::string> text =
        FormatNumberRun(value, run->Notation, CharCount(number), CheckBox1.Checked());
    if (!text) {
      // Past ⑳ (or below ①): renumbering stops, the rest stays as it was.
      unchangedLines_ += lastLine - i + 1;
      break;
    }
    result.push_back(prefix + *text + suffix);
  }
  if (!result.empty()) ReplaceMemoLines(memo_, lines, firstLine + 1, result);
}

void TForm3::Button2Click() { Close(); }

std::string UnchangedLinesMessage(size_t count) {
  return std::to_string(count) + " 行は結果が丸数字（①～⑳）の範囲外のため変更できませんでした";
}

void TForm3::Edit1KeyPress(unsigned& key) {
  if ((key < '0' || key > '9') && key != kBackspace && key != kEnter) key = 0;
  if (key == kEnter) Button1.SetFocus();
}

}  // namespace vorbel
