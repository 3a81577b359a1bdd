// The replace dialog "置換": replaces a search text by a replacement in the
// memo lines the memo's selection touches, the first occurrence in each line
// or every one, with or without regard to letter case.
#pragma once

#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/forms.h"

namespace vorbel {

const TFormLayout& Form4Layout();

// `line` with the first (or, with `replaceAll`, every) occurrence of `find`
// replaced by `replacement`. An occurrence starts on a character boundary,
// never on the second byte of a double-byte character; the search goes on
// behind an occurrence, never into the replacement just put in. With
// `ignoreCase` the single-byte letters of line and search text are compared
// in upper case; the parts kept from the line keep their case. An empty
// `find` is never found.
std::string ReplaceInLine(std::string_view line, std::string_view find, std::string_view replacement,
                          bool ignoreCase, bool replaceAll);

class TForm4 : public TForm {
 public:
  // A fresh dialog from the layout, working on `memo`.
  explicit TForm4(TMemo& memo);

  TGroupBox GroupBox1;
  TEdit Edit1;
  TLabel Label1;
  TEdit Edit2;
  TLabel Label2;
  TGroupBox GroupBox2;
  TCheckBox CheckBox1;
  TCheckBox CheckBox2;
  TButton Button1;
  TButton Button2;

  // Event handlers.
  void Button1Click();
  void Button2Click();
  void Edit1KeyPress(unsigned& key);
  void Edit2KeyPress(unsigned& key);

 private:
  TMemo& memo_;
};

}  // namespace vorbel
