#include "app/update_preview_form.h"

#include <algorithm>

#include "base/numbers.h"
#include "platform/application.h"

namespace vorbel {

namespace {

constexpr std::string_view kKindNames[kChangeKinds] = {"変更", "削除", "移動", "新規", "文字にならない"};

std::string PointText(const TDxfPoint& point) {
  std::string text = "(";
  text += FormatGeneral15(point.X);
  text += ", ";
  text += FormatGeneral15(point.Y);
  text += ")";
  return text;
}

std::string Warnings(const TUpdatePreview& preview, std::string_view warning) {
  std::string text;
  const auto add = [&](const std::string& line) {
    if (!text.empty()) text += "\r\n";
    text += line;
  };
  if (preview.ShiftedFrom > 0) {
    add(std::to_string(preview.ShiftedFrom) +
        " 行目から、1 行上か下の文字の元の文字列が続いています。行を空けるかわりに削除したり、"
        "上書きするかわりに挿入したりしていませんか。");
  }
  if (preview.Count(TChangeKind::Erased) > 0) add("文字が消える行 (空の行、行がない文字) があります。");
  if (preview.Count(TChangeKind::Dropped) > 0) {
    add("「座標順」がオフのため、文字の数より多い行は図面に書かれません。");
  }
  if (!warning.empty()) add(std::string(warning));
  if (text.empty()) text = "この内容で図面を更新します。";
  return text;
}

TFormLayout PreviewLayout(bool cancelIsDefault) {
  constexpr unsigned kAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;
  constexpr unsigned kRightBottom = kAnchorRight | kAnchorBottom;
  TFormLayout form;
  form.ClassName = "TUpdatePreviewForm";
  form.Caption = "更新の確認";
  form.Client = {600, 420};
  form.Style = TFormStyle::SizeableDialog;
  form.CancelButton = "ButtonCancel";
  TControlLayout list{"ListView1", TControlKind::ListView, "", {8, 88, 584, 290}, kAll, 1};
  list.ListColumns = {{"内容", 88}, {"行", 56}, {"変更前", 200}, {"変更後", 200}};
  // The button Enter presses is the one focused first.
  form.Controls = {
      {"Label1", TControlKind::Label, "", {8, 8, 584, 16}, kAnchorLeft | kAnchorTop, -1, "", kBoldFont},
      {"Label2",
       TControlKind::Label,
       "",
       {8, 28, 584, 56},
       kAnchorLeft | kAnchorTop | kAnchorRight,
       -1,
       "",
       {},
       kWordWrap},
      list,
      {"ButtonUpdate",
       TControlKind::Button,
       "更新",
       {416, 387, 84, 25},
       kRightBottom,
       cancelIsDefault ? 2 : 0},
      {"ButtonCancel",
       TControlKind::Button,
       "キャンセル",
       {508, 387, 84, 25},
       kRightBottom,
       cancelIsDefault ? 0 : 2},
  };
  return form;
}

}  // namespace

std::string PreviewCounts(const TUpdatePreview& preview) {
  std::string text;
  for (size_t kind = 0; kind < kChangeKinds; ++kind) {
    if (!text.empty()) text += "　";
    text += std::string(kKindNames[kind]) + " " + std::to_string(preview.Counts[kind]);
  }
  return text;
}

std::string PreviewCell(const TChange& change, size_t column) {
  switch (column) {
    case 0:
      return std::string(kKindNames[static_cast<size_t>(change.Kind)]);
    case 1:
      return change.Line > 0 ? std::to_string(change.Line) : "行なし";
    case 2:
      return change.Kind == TChangeKind::Moved ? change.Before + " " + PointText(change.From) : change.Before;
    case 3:
      return change.Kind == TChangeKind::Moved ? change.After + " " + PointText(change.To) : change.After;
    default:
      return {};
  }
}

TUpdatePreviewForm::TUpdatePreviewForm(const TUpdatePreview& preview, std::string_view warning,
                                       bool cancelIsDefault)
    : TForm(PreviewLayout(cancelIsDefault)),
      Label1(*this, "Label1"),
      Label2(*this, "Label2"),
      ListView1(*this, "ListView1"),
      ButtonUpdate(*this, "ButtonUpdate"),
      ButtonCancel(*this, "ButtonCancel"),
      preview_(preview) {
  // Larger than the main window so that the strings can be read, but never
  // larger than the screen (a high DPI on a small screen).
  SetBounds(TRect{Left(), Top(), std::min(Width(), ScreenWidth()), std::min(Height(), ScreenHeight())});
  Label1.SetText(PreviewCounts(preview));
  Label2.SetText(Warnings(preview, warning));
  ListView1.OnGetText = [this](size_t row, size_t column) {
    return row < preview_.Changes.size() ? PreviewCell(preview_.Changes[row], column) : std::string();
  };
  ListView1.SetRowCount(preview.Changes.size());
  ButtonUpdate.OnClick = [this] {
    confirmed_ = true;
    Close();
  };
  ButtonCancel.OnClick = [this] { Close(); };
}

bool TUpdatePreviewForm::Execute() {
  confirmed_ = false;
  ShowModal();
  return confirmed_;
}

}  // namespace vorbel
