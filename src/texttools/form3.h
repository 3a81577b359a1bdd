// The add/subtract dialog. With the caption "＋ｎ" it adds its amount to one
// number (the first or the last one: a run of ASCII or full-width digits, or
// a circled number) in every line the memo's selection touches, and writes
// the result in the number's own notation; with any other caption ("連番") it renumbers: the first
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

  // The lines the last run left as they were because their result had no
  // circled number (outside ①-⑳); the caller reports them once the dialog
  // has closed.
  size_t UnchangedLines() const { return unchangedLines_; }

 private:
  void AddToLines(const std::vector<std::string>& lines, size_t firstLine, size_t lastLine, bool fromEnd,
                  int32_t amount);
  void RenumberLines(const std::vector<std::string>& lines, size_t firstLine, size_t lastLine, bool fromEnd,
                     int32_t amount);

  TMemo& memo_;
  size_t unchangedLines_ = 0;
};

// The message for lines the dialog could not change.
std::string UnchangedLinesMessage(size_t count);

}  // namespace vorbel
