// The add/subtract dialog. With the caption "＋ｎ" it adds its amount to one
// number (the first or the last run of digits) in every line the memo's
// selection touches; with any other caption ("連番") it renumbers: the first
// of those lines is the model, and every further line becomes the model with
// its number increased by the amount once per line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"
#include "texttools/number_kinds.h"

namespace vorbel {

const TFormLayout& Form3Layout();

// The caption that makes the dialog add rather than renumber.
inline constexpr const char* kAddCaption = "＋ｎ";

class TForm3 : public TForm {
 public:
  // A fresh dialog from the layout, working on `memo`.
  explicit TForm3(TMemo& memo);

  TButton Button1;
  TRadioGroup RadioGroup1;
  TGroupBox GroupBox1;
  TEdit Edit1;
  TButton Button2;
  TGroupBox GroupBox2;
  TCheckBox CheckBox1;

  // Event handlers.
  void Button1Click();
  void Button2Click();
  void Edit1KeyPress(unsigned& key);

 private:
  void AddToLines(const std::vector<std::string>& lines, size_t firstLine, size_t lastLine, bool fromEnd,
                  int32_t amount);
  void RenumberLines(const std::vector<std::string>& lines, size_t firstLine, size_t lastLine, bool fromEnd,
                     int32_t amount);

  TMemo& memo_;
};

}  // namespace vorbel
