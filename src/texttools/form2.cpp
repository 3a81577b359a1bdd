#include "texttools/form2.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "base/errors.h"
#include "base/numbers.h"
#include "cp932/cp932.h"

namespace vorbel {

namespace {

constexpr TControlKind kButton = TControlKind::Button;
constexpr TControlKind kCheckBox = TControlKind::CheckBox;
constexpr TControlKind kEdit = TControlKind::Edit;
constexpr TControlKind kLabel = TControlKind::Label;
constexpr TControlKind kGroupBox = TControlKind::GroupBox;
constexpr TControlKind kComboBox = TControlKind::ComboBox;
constexpr unsigned kLeftTop = kAnchorLeft | kAnchorTop;

constexpr unsigned kBackspace = 8;
constexpr unsigned kEnter = 13;

// A count of millions of lines goes into the memo in pieces of this many, so
// the lines waiting to be appended never take more than some tens of
// megabytes; every usual count is one piece, one change of the memo's text.
constexpr size_t kLinesPerAppend = size_t{1} << 20;

// What a preview shows for a line the kind cannot write, and for an initial
// value that is not of the kind.
constexpr std::string_view kOutOfRange = "[範囲外]";
constexpr std::string_view kNotOfKind = "[不正な値]";

TFormLayout MakeForm2Layout() {
  TFormLayout form;
  form.ClassName = "TForm2";
  form.Caption = "連番作成";
  form.Client = {176, 237};
  form.Style = TFormStyle::ToolDialog;
  form.Font = kFormFont;
  // The list "種類" of the kinds of numbering.
  TControlLayout kinds{"ComboBox1", kComboBox, "", {62, 59, 105, 20}, kLeftTop, 3, "GroupBox1"};
  kinds.Items = NumberKindNames();
  kinds.ItemIndex = 0;
  // Name, kind, caption, position (left, top, width, height), anchors, tab
  // order, parent, font, initial state.
  form.Controls = {
      {"Button1", kButton, "実行", {30, 208, 57, 25}, kLeftTop, 0, "", {}, 0},
      {"Button2", kButton, "ｷｬﾝｾﾙ", {92, 208, 51, 25}, kLeftTop, 1, "", {}, 0},
      {"GroupBox1", kGroupBox, "文字ﾊﾟﾀｰﾝ", {0, 4, 173, 85}, kLeftTop, 2, "", {}, 0},
      {"Label1", kLabel, "前", {12, 16, 12, 12}, kLeftTop, -1, "GroupBox1", {}, 0},
      {"Edit1", kEdit, "", {8, 32, 51, 20}, kLeftTop, 0, "GroupBox1", {}, kImeClosed},
      {"Label3", kLabel, "初期値", {64, 17, 36, 12}, kLeftTop, -1, "GroupBox1", {}, 0},
      {"Edit2", kEdit, "001", {62, 33, 51, 20}, kLeftTop, 1, "GroupBox1", {}, kImeClosed},
      {"Label2", kLabel, "後", {118, 17, 12, 12}, kLeftTop, -1, "GroupBox1", {}, 0},
      {"Edit4", kEdit, "", {116, 33, 51, 20}, kLeftTop, 2, "GroupBox1", {}, kImeClosed},
      {"Label10", kLabel, "種類", {12, 63, 24, 12}, kLeftTop, -1, "GroupBox1", {}, 0},
      kinds,
      {"GroupBox2", kGroupBox, "ｵﾌﾟｼｮﾝ", {0, 92, 173, 73}, kLeftTop, 3, "", {}, 0},
      {"Label5", kLabel, "ｽﾃｯﾌﾟ", {10, 23, 31, 12}, kLeftTop, -1, "GroupBox2", {}, 0},
      {"Edit5", kEdit, "1", {50, 21, 39, 20}, kLeftTop, 0, "GroupBox2", {}, kImeClosed},
      {"Label4", kLabel, "作成数", {8, 45, 36, 12}, kLeftTop, -1, "GroupBox2", {}, 0},
      {"Edit3", kEdit, "15", {50, 43, 39, 20}, kLeftTop, 1, "GroupBox2", {}, kImeClosed},
      {"CheckBox1", kCheckBox, "16進", {104, 50, 63, 17}, kLeftTop, 2, "GroupBox2", {}, 0},
      {"CheckBox2", kCheckBox, "幅揃え", {104, 14, 63, 17}, kLeftTop, 3, "GroupBox2", {}, kChecked},
      {"CheckBox3", kCheckBox, "0 埋込", {104, 32, 63, 17}, kLeftTop, 4, "GroupBox2", {}, kChecked},
      {"Label6", kLabel, "開始：", {10, 172, 30, 12}, kLeftTop, -1, "", {}, 0},
      {"Label8", kLabel, "[001]", {50, 172, 35, 13}, kLeftTop, -1, "", kFixedFont, 0},
      {"Label7", kLabel, "終了：", {10, 190, 30, 12}, kLeftTop, -1, "", {}, 0},
      {"Label9", kLabel, "[015]", {50, 190, 35, 13}, kLeftTop, -1, "", kFixedFont, 0},
  };
  return form;
}

// Arithmetic of the values wraps around in 32 bits.
int32_t Wrapped(uint32_t value) { return static_cast<int32_t>(value); }

// A preview: the line in square brackets.
std::string Bracketed(std::string_view line) {
  std::string text;
  text.reserve(line.size() + 2);
  text.push_back('[');
  text.append(line);
  text.push_back(']');
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

// The value after k steps: wrapped in 32 bits for 数字 and 全角数字, in 64
// bits for the kinds that end, so that a run past the end is seen.
int64_t ValueAt(TNumberKind kind, int32_t first, int32_t step, int64_t k) {
  if (KindHasWidth(kind))
    return Wrapped(static_cast<uint32_t>(step) * static_cast<uint32_t>(k) + static_cast<uint32_t>(first));
  return int64_t{first} + int64_t{step} * k;
}

// The error of a run that leaves the kind's range: "丸数字の連番は ① から
// ⑳ までです", "英大文字の連番は A からです".
[[noreturn]] void RaiseOutOfRange(TNumberKind kind) {
  std::string message(NumberKindName(kind));
  message += "の連番は " + *FormatKind(kind, 1) + " から";
  if (KindLast(kind) > 0) message += " " + *FormatKind(kind, KindLast(kind)) + " まで";
  message += "です";
  throw TRuntimeError(message);
}

}  // namespace

const TFormLayout& Form2Layout() {
  static const TFormLayout layout = MakeForm2Layout();
  return layout;
}

int32_t HexToInt(std::string_view text) {
  // Positions count bytes; both bytes of a double-byte character stand for 0,
  // so a second byte that happens to be a letter "A"-"F" is never read as a
  // digit.
  std::vector<bool> inCharacter(text.size(), false);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (IsLeadByte(text[i])) {
      inCharacter[i] = inCharacter[i + 1] = true;
      ++i;
    }
  }
  uint32_t sum = 0;
  uint32_t weight = 1;
  for (size_t i = text.size(); i-- > 0;) {
    if (!inCharacter[i]) sum += static_cast<uint32_t>(HexDigit(text[i])) * weight;
    weight *= 16;  // 0 from the ninth position from the end on
  }
  return Wrapped(sum);
}

std::string NumberedLine(std::string_view prefix, size_t width, size_t zeros, int32_t value,
                         std::string_view suffix, bool hex) {
  const std::string number = hex ? DigitsField(IntToHex(static_cast<uint32_t>(value), 1), false, width, zeros)
                                 : *FormatKind(TNumberKind::Decimal, value, width, zeros);
  std::string line;
  line.reserve(prefix.size() + number.size() + suffix.size());
  line.append(prefix).append(number).append(suffix);
  return line;
}

TForm2::TForm2(TMemo& memo)
    : TForm(Form2Layout()),
      Button1(*this, "Button1"),
      Button2(*this, "Button2"),
      GroupBox1(*this, "GroupBox1"),
      Label1(*this, "Label1"),
      Edit1(*this, "Edit1"),
      Label3(*this, "Label3"),
      Edit2(*this, "Edit2"),
      Label2(*this, "Label2"),
      Edit4(*this, "Edit4"),
      GroupBox2(*this, "GroupBox2"),
      Label5(*this, "Label5"),
      Edit5(*this, "Edit5"),
      Label4(*this, "Label4"),
      Edit3(*this, "Edit3"),
      CheckBox1(*this, "CheckBox1"),
      CheckBox2(*this, "CheckBox2"),
      CheckBox3(*this, "CheckBox3"),
      Label6(*this, "Label6"),
      Label8(*this, "Label8"),
      Label7(*this, "Label7"),
      Label9(*this, "Label9"),
      Label10(*this, "Label10"),
      ComboBox1(*this, "ComboBox1"),
      memo_(memo) {
  for (TEdit* edit : {&Edit1, &Edit2, &Edit4, &Edit5, &Edit3}) edit->OnChange = [this] { Edit1Change(); };
  CheckBox1.OnClick = [this] { CheckBox1Click(); };
  CheckBox2.OnClick = [this] { CheckBox2Click(); };
  CheckBox3.OnClick = [this] { CheckBox3Click(); };
  ComboBox1.OnChange = [this] { ComboBox1Change(); };
  Edit1.OnKeyPress = [this](unsigned& key) { Edit1KeyPress(key); };
  Edit2.OnKeyPress = [this](unsigned& key) { Edit2KeyPress(key); };
  Edit4.OnKeyPress = [this](unsigned& key) { Edit4KeyPress(key); };
  Edit5.OnKeyPress = [this](unsigned& key) { Edit5KeyPress(key); };
  Edit3.OnKeyPress = [this](unsigned& key) { Edit3KeyPress(key); };
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
}

TNumberKind TForm2::Kind() const {
  const int index = ComboBox1.ItemIndex();
  return index < 0 ? TNumberKind::Decimal : static_cast<TNumberKind>(index);
}

TForm2::TNumberFormat TForm2::NumberFormat() const {
  TNumberFormat format;
  format.kind = Kind();
  if (!KindHasWidth(format.kind)) return format;
  // 数字 counts the bytes of the initial value's text, 全角数字 its
  // characters.
  const std::string initial = Edit2.Text();
  if (CheckBox2.Checked())
    format.width = format.kind == TNumberKind::Decimal ? initial.size() : CharCount(initial);
  if (CheckBox2.Checked() && CheckBox3.Checked()) format.zeros = format.width;
  format.hex = format.kind == TNumberKind::Decimal && CheckBox1.Checked();
  return format;
}

std::optional<int32_t> TForm2::InitialValue() const {
  const TNumberKind kind = Kind();
  if (kind != TNumberKind::Decimal) return ParseKind(kind, Edit2.Text());
  return CheckBox1.Checked() ? HexToInt(Edit2.Text()) : StrToIntDef(Edit2.Text(), 0);
}

std::optional<std::string> TForm2::LineFor(const TNumberFormat& format, int32_t value) const {
  if (format.kind == TNumberKind::Decimal)
    return NumberedLine(Edit1.Text(), format.width, format.zeros, value, Edit4.Text(), format.hex);
  const std::optional<std::string> number = FormatKind(format.kind, value, format.width, format.zeros);
  if (!number) return std::nullopt;
  return Edit1.Text() + *number + Edit4.Text();
}

void TForm2::Edit1Change() {
  const TNumberFormat format = NumberFormat();
  const std::optional<int32_t> first = InitialValue();
  if (!first) {
    Label8.SetText(kNotOfKind);
    Label9.SetText(kNotOfKind);
    return;
  }
  const auto preview = [&](int64_t value) {
    std::optional<std::string> line;
    if (value >= INT32_MIN && value <= INT32_MAX) line = LineFor(format, static_cast<int32_t>(value));
    return line ? Bracketed(*line) : std::string(kOutOfRange);
  };
  Label8.SetText(preview(*first));
  const int32_t step = StrToIntDef(Edit5.Text(), 0);
  const int32_t count = StrToIntDef(Edit3.Text(), 0);
  // The last value is worked out whatever the count: a count of 0 shows the
  // value one step before the first.
  Label9.SetText(preview(ValueAt(format.kind, *first, step, int64_t{count} - 1)));
}

void TForm2::CheckBox1Click() { Edit1Change(); }

void TForm2::CheckBox2Click() {
  CheckBox3.SetEnabled(CheckBox2.Checked() && KindHasWidth(Kind()));
  Edit1Change();
}

void TForm2::CheckBox3Click() { Edit1Change(); }

void TForm2::ComboBox1Change() {
  const TNumberKind kind = Kind();
  // Width and fill for 数字 and 全角数字, hexadecimal for 数字 only; the
  // boxes keep their marks while disabled. Kanji numerals and いろは are
  // typed with the input method.
  CheckBox2.SetEnabled(KindHasWidth(kind));
  CheckBox3.SetEnabled(KindHasWidth(kind) && CheckBox2.Checked());
  CheckBox1.SetEnabled(kind == TNumberKind::Decimal);
  Edit2.SetImeClosed(kind != TNumberKind::Kanji && kind != TNumberKind::Iroha);

  // The initial value, read in the kind it was written in.
  const std::string text = Edit2.Text();
  std::optional<int32_t> value;
  if (text == convertedText_ && convertedValue_) {
    value = convertedValue_;
  } else if (shownKind_ == TNumberKind::Decimal) {
    value = CheckBox1.Checked() ? std::optional<int32_t>(HexToInt(text)) : TryStrToInt(text);
  } else {
    value = ParseKind(shownKind_, text);
  }
  // Between 数字 and 全角数字 the width of the zero-filled value carries
  // over (001 and ００１).
  const size_t zeros = KindHasWidth(shownKind_) && KindHasWidth(kind) ? CharCount(text) : 0;
  std::optional<std::string> written;
  if (value && kind == TNumberKind::Decimal && CheckBox1.Checked()) {
    written = IntToHex(static_cast<uint32_t>(*value), static_cast<int>(std::min<size_t>(zeros, 8)));
  } else if (value) {
    written = FormatKind(kind, *value, 0, zeros);
  }
  if (!written) written = FormatKind(kind, 1);  // the kind's first value
  shownKind_ = kind;
  convertedText_ = *written;
  convertedValue_ = value;
  if (Edit2.Text() == *written) {
    Edit1Change();
  } else {
    Edit2.SetText(*written);
  }
}

void TForm2::Edit1KeyPress(unsigned& key) {
  if (key == kEnter) Edit2.SetFocus();
}

void TForm2::Edit2KeyPress(unsigned& key) {
  const TNumberKind kind = Kind();
  // Letters are typed in the kind's case whatever the shift key says.
  if (kind == TNumberKind::UpperLetter && key >= 'a' && key <= 'z') key = key - 'a' + 'A';
  if (kind == TNumberKind::LowerLetter && key >= 'A' && key <= 'Z') key = key - 'A' + 'a';
  bool accepted = IsKindKey(kind, key);
  // 数字 takes hexadecimal digits whether or not "16進" is checked.
  if (kind == TNumberKind::Decimal)
    accepted = accepted || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
  if (!accepted && key != kBackspace && key != kEnter) key = 0;
  if (key == kEnter) Edit4.SetFocus();
}

void TForm2::Edit4KeyPress(unsigned& key) {
  if (key == kEnter) Edit5.SetFocus();
}

void TForm2::Edit5KeyPress(unsigned& key) {
  if (key == kEnter) Edit3.SetFocus();
}

void TForm2::Edit3KeyPress(unsigned& key) {
  if (key == kEnter) Button1.SetFocus();
}

void TForm2::Button1Click() {
  const TNumberFormat format = NumberFormat();
  const std::optional<int32_t> first = InitialValue();
  if (!first)
    throw TRuntimeError("'" + Edit2.Text() + "' は" + std::string(NumberKindName(format.kind)) +
                        "ではありません");
  const int32_t count = StrToIntDef(Edit3.Text(), 0);
  if (count >= 1) {
    const int32_t step = StrToIntDef(Edit5.Text(), 0);
    // A run that leaves a kind's range adds nothing: its values lie between
    // the first and the last.
    if (!KindHasWidth(format.kind)) {
      const int64_t last = ValueAt(format.kind, *first, step, count - 1);
      const int32_t end = KindLast(format.kind) > 0 ? KindLast(format.kind) : INT32_MAX;
      if (std::min<int64_t>(*first, last) < 1 || std::max<int64_t>(*first, last) > end)
        RaiseOutOfRange(format.kind);
    }
    std::vector<std::string> lines;
    lines.reserve(std::min(static_cast<size_t>(count), kLinesPerAppend));
    // The appended lines are one step that Ctrl+Z takes back: each piece
    // goes in right behind the one before and continues its step.
    TUndo undo = TUndo::NewStep;
    for (int32_t k = 0; k < count; ++k) {
      lines.push_back(*LineFor(format, static_cast<int32_t>(ValueAt(format.kind, *first, step, k))));
      if (lines.size() == kLinesPerAppend) {
        memo_.AddLines(lines, undo);
        undo = TUndo::SameStep;
        lines.clear();
      }
    }
    memo_.AddLines(lines, undo);
  }
  Close();
}

void TForm2::Button2Click() { Close(); }

}  // namespace vorbel
