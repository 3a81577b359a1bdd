#include "texttools/char_check_form.h"

#include <algorithm>

namespace vorbel {

namespace {

constexpr unsigned kAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;
constexpr unsigned kTopStretched = kAnchorLeft | kAnchorTop | kAnchorRight;
constexpr unsigned kRightBottom = kAnchorRight | kAnchorBottom;

TFormLayout MakeCharCheckFormLayout() {
  TFormLayout form;
  form.ClassName = "TCharCheckForm";
  form.Caption = "機種依存文字";
  form.Client = {480, 300};
  form.Style = TFormStyle::SizeableDialog;
  form.Font = kFormFont;
  form.CancelButton = "Button2";
  form.Controls = {
      {"Label1", TControlKind::Label, "", {8, 8, 464, 14}, kTopStretched, -1, "", {}, 0},
      {"ListView1",
       TControlKind::ListView,
       "",
       {8, 28, 464, 232},
       kAll,
       0,
       "",
       {},
       0,
       {},
       1,
       -1,
       {{"行", 44}, {"文字", 64}, {"置き換え", 80}, {"種類", 112}, {"文字列", 160}}},
      {"Button1", TControlKind::Button, "すべて置き換える", {264, 268, 120, 25}, kRightBottom, 1, "", {}, 0},
      {"Button2", TControlKind::Button, "閉じる", {392, 268, 80, 25}, kRightBottom, 2, "", {}, 0},
  };
  return form;
}

bool HasStandard(const TOddChar& odd) { return !odd.Standard.empty(); }

}  // namespace

const TFormLayout& CharCheckFormLayout() {
  static const TFormLayout layout = MakeCharCheckFormLayout();
  return layout;
}

std::vector<TLineReplacement> StandardFormReplacements(const std::vector<std::string>& texts) {
  std::vector<TLineReplacement> replacements;
  for (const TOddLine& line : CheckChars(texts)) {
    if (std::any_of(line.Chars.begin(), line.Chars.end(), HasStandard)) {
      replacements.emplace_back(line.Line, WithStandardForms(texts[line.Line]));
    }
  }
  return replacements;
}

TCharCheckForm::TCharCheckForm(std::function<std::vector<std::string>()> readTexts,
                               std::function<void(const std::vector<TLineReplacement>&)> replaceLines)
    : TForm(CharCheckFormLayout()),
      Label1(*this, "Label1"),
      ListView1(*this, "ListView1"),
      Button1(*this, "Button1"),
      Button2(*this, "Button2"),
      readTexts_(std::move(readTexts)),
      replaceLines_(std::move(replaceLines)) {
  ListView1.OnGetText = [this](size_t row, size_t column) -> std::string {
    if (row >= rows_.size()) return {};
    const TRow& r = rows_[row];
    const std::string& text = texts_[r.Line];
    switch (column) {
      case 0:
        return std::to_string(r.Line + 1);
      case 1:
        return text.substr(r.Char.Begin, r.Char.Length);
      case 2:
        return HasStandard(r.Char) ? r.Char.Standard : std::string("(なし)");
      case 3:
        return std::string(OddKindName(r.Char.Kind));
      default:
        return text;
    }
  };
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  Recheck();
}

void TCharCheckForm::Recheck() {
  texts_ = readTexts_();
  rows_.clear();
  size_t lines = 0;
  size_t replaceable = 0;
  for (const TOddLine& line : CheckChars(texts_)) {
    ++lines;
    for (const TOddChar& odd : line.Chars) {
      rows_.push_back({line.Line, odd});
      if (HasStandard(odd)) ++replaceable;
    }
  }
  if (rows_.empty()) {
    Label1.SetText("機種依存文字はありません (" + std::to_string(texts_.size()) + " 行)");
  } else {
    Label1.SetText("機種依存文字 " + std::to_string(rows_.size()) + " 件 (" + std::to_string(lines) +
                   " 行)、置き換えられるもの " + std::to_string(replaceable) + " 件");
  }
  ListView1.SetRowCount(rows_.size());
  // With nothing left to replace the button goes grey; the focus moves on.
  if (replaceable == 0 && Button1.Focused()) Button2.SetFocus();
  Button1.SetEnabled(replaceable > 0);
}

void TCharCheckForm::Button1Click() {
  const std::vector<TLineReplacement> replacements = StandardFormReplacements(readTexts_());
  if (!replacements.empty()) replaceLines_(replacements);
  Recheck();
}

void TCharCheckForm::Button2Click() { Close(); }

}  // namespace vorbel
