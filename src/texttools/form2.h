// The sequence-number dialog "連番作成": appends a run of numbered lines
// (prefix, number, suffix) to the end of the main window's memo. The number
// is of the kind chosen in "種類" (number_kinds.h). Two previews show the
// first and the last line it would add and follow every change of the
// fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/forms.h"
#include "texttools/number_kinds.h"

namespace vorbel {

const TFormLayout& Form2Layout();

// The initial value read as hexadecimal: the i-th character from the end
// weighs 16^i in 32 bits (only the last eight count), "0"-"9" and "A"-"F" in
// either case stand for their values, any other character for 0. Never
// fails; the sum wraps around in 32 bits.
int32_t HexToInt(std::string_view text);

// One line as "%s%*.*d%s" (or "%s%*.*x%s" with `hex`) makes it from
// (prefix, width, zeros, value, suffix): the digits of the magnitude (hex:
// upper-case digits of the 32-bit pattern), zeros in front up to `zeros`
// digits when `zeros` is at most 16, then the minus sign of a negative
// decimal value, then blanks in front up to `width` characters.
std::string NumberedLine(std::string_view prefix, size_t width, size_t zeros, int32_t value,
                         std::string_view suffix, bool hex);

class TForm2 : public TForm {
 public:
  // A fresh dialog from the layout, appending to `memo`.
  explicit TForm2(TMemo& memo);

  TButton Button1;
  TButton Button2;
  TGroupBox GroupBox1;
  TLabel Label1;
  TEdit Edit1;
  TLabel Label3;
  TEdit Edit2;
  TLabel Label2;
  TEdit Edit4;
  TGroupBox GroupBox2;
  TLabel Label5;
  TEdit Edit5;
  TLabel Label4;
  TEdit Edit3;
  TCheckBox CheckBox1;
  TCheckBox CheckBox2;
  TCheckBox CheckBox3;
  TLabel Label6;
  TLabel Label8;
  TLabel Label7;
  TLabel Label9;
  TLabel Label10;
  TComboBox ComboBox1;

  // The kind chosen in "種類".
  TNumberKind Kind() const;

  // Event handlers.
  void Edit1Change();
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void ComboBox1Change();
  void Edit1KeyPress(unsigned& key);
  void Edit2KeyPress(unsigned& key);
  void Edit4KeyPress(unsigned& key);
  void Edit5KeyPress(unsigned& key);
  void Edit3KeyPress(unsigned& key);
  void Button1Click();
  void Button2Click();

 private:
  // Width, zero fill and radix of the number as the fields say now.
  struct TNumberFormat {
    TNumberKind kind = TNumberKind::Decimal;
    size_t width = 0;
    size_t zeros = 0;
    bool hex = false;
  };
  TNumberFormat NumberFormat() const;
  // The initial value; nothing when a kind other than 数字 does not read
  // it (数字 reads what it cannot as 0).
  std::optional<int32_t> InitialValue() const;
  // The line for a value, nothing when the kind does not hold it.
  std::optional<std::string> LineFor(const TNumberFormat& format, int32_t value) const;

  TMemo& memo_;
  // The kind the initial value was last written in, and the value the last
  // change of kind wrote (with its text), so that passing through a kind
  // that cannot write it (25 through 丸数字) brings the value back.
  TNumberKind shownKind_ = TNumberKind::Decimal;
  std::string convertedText_;
  std::optional<int32_t> convertedValue_;
};

}  // namespace vorbel
