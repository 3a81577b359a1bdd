// The dialog "機種依存文字" of the pop-up menu's "機種依存文字を調べる": a
// modal list of the machine-dependent characters of the lines as they would
// go back to the drawing (char_check.h), each with its line, its kind and
// its standard form; "すべて置き換える" puts every standard form in at once,
// and the list then shows what is left.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"
#include "texttools/char_check.h"

namespace vorbel {

const TFormLayout& CharCheckFormLayout();

// A line to be replaced: its index and its new text.
using TLineReplacement = std::pair<size_t, std::string>;

// The lines that hold a machine-dependent character with a standard form,
// each with all such characters replaced; the other lines are left out.
std::vector<TLineReplacement> StandardFormReplacements(const std::vector<std::string>& texts);

class TCharCheckForm : public TForm {
 public:
  // `readTexts` gives the lines as they would go back to the drawing;
  // `replaceLines` puts replaced lines into the memo in one step.
  TCharCheckForm(std::function<std::vector<std::string>()> readTexts,
                 std::function<void(const std::vector<TLineReplacement>&)> replaceLines);

  TLabel Label1;
  TListView ListView1;
  TButton Button1;
  TButton Button2;

  // Reads the lines and lists their characters.
  void Recheck();

  // One row of the list: a character (or run of half-width kana) of a line.
  struct TRow {
    size_t Line = 0;
    TOddChar Char;
  };
  const std::vector<TRow>& Rows() const { return rows_; }

  // Event handlers.
  void Button1Click();
  void Button2Click();

 private:
  std::function<std::vector<std::string>()> readTexts_;
  std::function<void(const std::vector<TLineReplacement>&)> replaceLines_;
  std::vector<std::string> texts_;
  std::vector<TRow> rows_;
};

}  // namespace vorbel
