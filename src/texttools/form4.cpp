#include "texttools/form4.h"

#include <algorithm>
#include <vector>

#include "cp932/cp932.h"
#include "texttools/memo_edit.h"
#include "texttools/string_utils.h"

namespace vorbel {

namespace {

constexpr TControlKind kButton = TControlKind::Button;
constexpr TControlKind kCheckBox = TControlKind::CheckBox;
constexpr TControlKind kEdit = TControlKind::Edit;
constexpr TControlKind kLabel = TControlKind::Label;
constexpr TControlKind kGroupBox = TControlKind::GroupBox;
constexpr unsigned kLeftTop = kAnchorLeft | kAnchorTop;

constexpr unsigned kEnter = 13;

TFormLayout MakeForm4Layout() {
  TFormLayout form;
  form.ClassName = "TForm4";
  form.Caption = "置換";
  form.Client = {173, 171};
  form.Style = TFormStyle::ToolDialog;
  form.Font = kFormFont;
  // Name, kind, caption, position (left, top, width, height), anchors, tab
  // order, parent, font, initial state. The edits leave the input method
  // free: search and replacement texts are often Japanese.
  form.Controls = {
      {"GroupBox1", kGroupBox, "置換文字", {0, 4, 171, 71}, kLeftTop, 0, "", {}, 0},
      {"Edit1", kEdit, "", {18, 18, 123, 20}, kLeftTop, 0, "GroupBox1", {}, 0},
      {"Label1", kLabel, "を", {146, 26, 10, 12}, kLeftTop, -1, "GroupBox1", {}, 0},
      {"Edit2", kEdit, "", {18, 44, 125, 20}, kLeftTop, 1, "GroupBox1", {}, 0},
      {"Label2", kLabel, "に", {148, 50, 11, 12}, kLeftTop, -1, "GroupBox1", {}, 0},
      {"GroupBox2", kGroupBox, "ｵﾌﾟｼｮﾝ", {2, 78, 169, 55}, kLeftTop, 1, "", {}, 0},
      // Ticked, the search ignores letter case; the caption says so.
      {"CheckBox1", kCheckBox, "大文字/小文字を無視", {16, 14, 145, 17}, kLeftTop, 0, "GroupBox2", {}, 0},
      {"CheckBox2", kCheckBox, "同一行内のすべてを置換", {16, 32, 151, 17}, kLeftTop, 1, "GroupBox2", {}, 0},
      {"Button1", kButton, "実行", {30, 140, 59, 25}, kLeftTop, 2, "", {}, 0},
      {"Button2", kButton, "ｷｬﾝｾﾙ", {92, 140, 53, 25}, kLeftTop, 3, "", {}, 0},
  };
  return form;
}

}  // namespace

const TFormLayout& Form4Layout() {
  static const TFormLayout layout = MakeForm4Layout();
  return layout;
}

std::string ReplaceInLine(std::string_view line, std::string_view find, std::string_view replacement,
                          bool ignoreCase, bool replaceAll) {
  if (find.empty()) return std::string(line);
  // The search runs over copies that have the same length as the originals.
  std::string searched(line);
  std::string pattern(find);
  if (ignoreCase) {
    ToUpperSingleByte(searched);
    ToUpperSingleByte(pattern);
  }
  std::string result;
  result.reserve(line.size());
  size_t kept = 0;  // line[0, kept) is in the result
  size_t at = 0;    // a character boundary where an occurrence may start
  while (at + pattern.size() <= searched.size()) {
    if (searched.compare(at, pattern.size(), pattern) != 0) {
      at += IsLeadByte(searched[at]) && at + 1 < searched.size() ? size_t{2} : size_t{1};
      continue;
    }
    result.append(line.substr(kept, at - kept)).append(replacement);
    at += pattern.size();
    kept = at;
    if (!replaceAll) break;
  }
  result.append(line.substr(kept));
  return result;
}

TForm4::TForm4(TMemo& memo)
    : TForm(Form4Layout()),
      GroupBox1(*this, "GroupBox1"),
      Edit1(*this, "Edit1"),
      Label1(*this, "Label1"),
      Edit2(*this, "Edit2"),
      Label2(*this, "Label2"),
      GroupBox2(*this, "GroupBox2"),
      CheckBox1(*this, "CheckBox1"),
      CheckBox2(*this, "CheckBox2"),
      Button1(*this, "Button1"),
      Button2(*this, "Button2"),
      memo_(memo) {
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  Edit1.OnKeyPress = [this](unsigned& key) { Edit1KeyPress(key); };
  Edit2.OnKeyPress = [this](unsigned& key) { Edit2KeyPress(key); };
}

void TForm4::Button1Click() {
  const std::string find = Edit1.Text();
  const std::string replacement = Edit2.Text();
  int firstLine = 0;
  int lastLine = 0;
  if (find != replacement && GetSelLineRange(memo_, firstLine, lastLine)) {
    const bool ignoreCase = CheckBox1.Checked();
    const bool replaceAll = CheckBox2.Checked();
    const std::vector<std::string> lines = memo_.Lines();
    if (!lines.empty() && firstLine >= 0 && firstLine <= lastLine) {
      const auto first = static_cast<size_t>(firstLine);
      const size_t last = std::min(static_cast<size_t>(lastLine), lines.size() - 1);
      // Every line of the range is written back, changed or not.
      std::vector<std::string> result;
      result.reserve(last - first + 1);
      for (size_t i = first; i <= last; ++i) {
        result.push_back(ReplaceInLine(lines[i], find, replacement, ignoreCase, replaceAll));
      }
      ReplaceMemoLines(memo_, lines, first, result);
    }
  }
  Close();
}

void TForm4::Button2Click() { Close(); }

void TForm4::Edit1KeyPress(unsigned& key) {
  if (key == kEnter) Edit2.SetFocus();
}

void TForm4::Edit2KeyPress(unsigned& key) {
  if (key == kEnter) Button1.SetFocus();
}

}  // namespace vorbel
