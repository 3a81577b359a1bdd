// "更新の確認": what 更新 will do to the drawing's texts, listed before
// anything changes, with 更新 to go on and キャンセル (or Escape) to send
// nothing.
#pragma once

#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/forms.h"
#include "workflow/update_plan.h"

namespace vorbel {

class TUpdatePreviewForm : public TForm {
 public:
  // `warning`: what the user must know beyond the list (the objects other
  // than plain texts that are drawn again), or empty. With `cancelIsDefault`
  // Enter presses キャンセル, else 更新.
  TUpdatePreviewForm(const TUpdatePreview& preview, std::string_view warning, bool cancelIsDefault);

  // Shows the dialog; true when the user chose 更新.
  bool Execute();

  TLabel Label1;
  TLabel Label2;
  TListView ListView1;
  TButton ButtonUpdate;
  TButton ButtonCancel;

 private:
  const TUpdatePreview& preview_;
  bool confirmed_ = false;
};

// The counts line at the top of the dialog.
std::string PreviewCounts(const TUpdatePreview& preview);
// The text of cell (row, column) of the dialog's list: 内容, 行, 変更前, 変更後.
std::string PreviewCell(const TChange& change, size_t column);

}  // namespace vorbel
