#include "app/form1.h"

#include <utility>

#include "base/files.h"
#include "base/settings_file.h"
#include "cp932/cp932.h"
#include "platform/application.h"
#include "texttools/line_check_form.h"

namespace vorbel {

namespace {

constexpr unsigned kLeftTop = kAnchorLeft | kAnchorTop;
constexpr unsigned kTopRight = kAnchorTop | kAnchorRight;
constexpr unsigned kLeftBottom = kAnchorLeft | kAnchorBottom;
constexpr unsigned kRightBottom = kAnchorRight | kAnchorBottom;
constexpr unsigned kAllSides = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;

constexpr TControlKind kButton = TControlKind::Button;
constexpr TControlKind kCheckBox = TControlKind::CheckBox;
constexpr TControlKind kEdit = TControlKind::Edit;
constexpr TControlKind kMemo = TControlKind::Memo;
constexpr TControlKind kLabel = TControlKind::Label;

constexpr unsigned kTimerInterval = 50;

TFormLayout MakeForm1Layout() {
  TFormLayout form;
  form.ClassName = "TForm1";
  form.Caption = "Vorbel Ver.1.12";
  // The design's 248 x 249 cut the memo's right edge and 終了's lower edge by
  // 2 or 3 pixels (its scroll bar and border at higher DPI): the client area
  // is just large enough to show every control whole.
  form.Client = {251, 251};
  form.Style = TFormStyle::SizeableToolWindow;
  form.StayOnTop = true;
  form.Font = kFormFont;
  // Name, kind, caption, position (left, top, width, height), anchors, tab
  // order, parent, font, initial state.
  form.Controls = {
      {"ButtonSelect", kButton, "選択", {10, 6, 57, 25}, kLeftTop, 1, "", {}, 0},
      {"CheckSort", kCheckBox, "座標順", {76, 8, 61, 17}, kLeftTop, 3, "", {}, kChecked},
      {"Label5", kLabel, "dX ", {167, 6, 17, 12}, kTopRight, -1, "", {}, 0},
      {"Edit1", kEdit, "0", {187, 2, 58, 20}, kTopRight, 4, "", {}, kImeClosed},
      {"Label6", kLabel, "dY", {169, 28, 13, 12}, kTopRight, -1, "", {}, 0},
      {"Edit2", kEdit, "0", {188, 26, 57, 20}, kTopRight, 5, "", {}, kImeClosed},
      {"Memo1", kMemo, "", {2, 50, 249, 121}, kAllSides, 0, "", kFixedFont, kScrollBars},
      {"Label2", kLabel, "選択数：", {6, 181, 42, 12}, kLeftBottom, -1, "", {}, 0},
      {"Label1", kLabel, "0", {52, 179, 8, 13}, kLeftBottom, -1, "", kBoldFont, 0},
      {"Label4", kLabel, "行数：", {18, 197, 30, 12}, kLeftBottom, -1, "", {}, 0},
      {"Label3", kLabel, "0", {52, 197, 8, 13}, kLeftBottom, -1, "", kBoldFont, 0},
      {"CheckXpit", kCheckBox, "縦整列(dX=0)", {78, 180, 97, 17}, kLeftBottom, 8, "", {}, kDisabled},
      {"CheckYpit", kCheckBox, "横整列(dY=0)", {78, 202, 97, 17}, kLeftBottom, 9, "", {}, kDisabled},
      {"CheckXYpit", kCheckBox, "XY間隔を更新", {78, 223, 93, 17}, kLeftBottom, 6, "", {}, kDisabled},
      {"ButtonUpdate", kButton, "更新", {187, 176, 51, 23}, kRightBottom, 2, "", {}, kDisabled},
      {"ButtonMake", kButton, "作成", {187, 202, 51, 23}, kRightBottom, 7, "", {}, kDisabled},
      {"Button1", kButton, "終了", {187, 228, 51, 23}, kRightBottom, 10, "", {}, 0},
  };
  return form;
}

}  // namespace

const TFormLayout& Form1Layout() {
  static const TFormLayout layout = MakeForm1Layout();
  return layout;
}

TForm1::TForm1(std::vector<std::string> arguments)
    : TForm(Form1Layout()),
      ButtonSelect(*this, "ButtonSelect"),
      CheckSort(*this, "CheckSort"),
      Label5(*this, "Label5"),
      Edit1(*this, "Edit1"),
      Label6(*this, "Label6"),
      Edit2(*this, "Edit2"),
      Memo1(*this, "Memo1"),
      Label2(*this, "Label2"),
      Label1(*this, "Label1"),
      Label4(*this, "Label4"),
      Label3(*this, "Label3"),
      CheckXpit(*this, "CheckXpit"),
      CheckYpit(*this, "CheckYpit"),
      CheckXYpit(*this, "CheckXYpit"),
      ButtonUpdate(*this, "ButtonUpdate"),
      ButtonMake(*this, "ButtonMake"),
      Button1(*this, "Button1"),
      Timer1(*this, kTimerInterval),
      arguments_(std::move(arguments)) {
  MakePopupMenu1();
  Memo1.SetPopupMenu(&PopupMenu1);
  Memo1.OnChange = [this] { Memo1Change(); };
  CheckSort.OnClick = [this] { CheckSortClick(); };
  ButtonSelect.OnClick = [this] { ButtonSelectClick(); };
  ButtonUpdate.OnClick = [this] { ButtonUpdateClick(); };
  ButtonMake.OnClick = [this] { ButtonMakeClick(); };
  CheckXpit.OnClick = [this] { CheckXpitClick(); };
  CheckYpit.OnClick = [this] { CheckYpitClick(); };
  CheckXYpit.OnClick = [this] { CheckXYpitClick(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Button1.OnClick = [this] { Button1Click(); };
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  // The line counter starts black; every other text has the user's
  // window-text colour.
  Label3.SetFontColor(kColorBlack);
  RunEventHandler([this] { FormCreate(); });
}

TForm1::~TForm1() {
  RunEventHandler([this] { FormDestroy(); });
}

std::string TForm1::SettingsFile() { return ChangeFileExt(ProgramPath(), ".ini"); }
std::string TForm1::ExchangeFile() { return ChangeFileExt(ProgramPath(), ".dxf"); }
std::string TForm1::NewTextsFile() { return ChangeFileExt(ProgramPath(), "_new.dxf"); }
std::string TForm1::CheckFile() { return ChangeFileExt(ProgramPath(), "_check.dxf"); }

void TForm1::FormCreate() {
  // The selection's line lists start empty.
  Selection = TSelection();
  // Width and height are kept in 96-DPI pixels, as a window of the design size
  // at 96 DPI writes them; the position in the screen's pixels.
  const TSettingsFile settings(SettingsFile());
  SetWidth(Scale(settings.ReadInteger("Form", "Width", Unscale(Width()))));
  SetHeight(Scale(settings.ReadInteger("Form", "Height", Unscale(Height()))));
  SetLeft(settings.ReadInteger("Form", "Left", (ScreenWidth() - Width()) / 2));
  SetTop(settings.ReadInteger("Form", "Top", (ScreenHeight() - Height()) / 2));
  CheckSort.SetChecked(settings.ReadBool("Sort", "Checked", true));
  PopupMenu1.Item("ConfirmUpdate1").Checked = settings.ReadBool("Update", "Confirm", false);
}

void TForm1::WarnIfFolderNotWritable() {
  const std::string folder = ExtractFileDir(ProgramPath());
  if (CanCreateFileIn(folder.empty() ? "." : folder)) return;
  folderWritable_ = false;
  ShowErrorBox(
      folder +
      " に書き込めないため、設定ファイルと AutoCAD とのやり取りのファイルを置けません。"
      "Vorbel は、書き込めるフォルダー (ドキュメントやデスクトップの下など) に置いてから起動してください");
}

void TForm1::FormDestroy() {
  Selection = TSelection();
  if (!folderWritable_) return;
  TSettingsFile settings(SettingsFile());
  const TRect normal = NormalBounds();
  settings.WriteInteger("Form", "Width", Unscale(normal.Width));
  settings.WriteInteger("Form", "Height", Unscale(normal.Height));
  settings.WriteInteger("Form", "Left", normal.Left);
  settings.WriteInteger("Form", "Top", normal.Top);
  settings.WriteBool("Sort", "Checked", CheckSort.Checked());
  settings.WriteBool("Update", "Confirm", PopupMenu1.Item("ConfirmUpdate1").Checked);
}

void TForm1::Memo1Change() {
  size_t count = Memo1.LineCount();
  while (count > 0 && IsBlank(Memo1.Line(count - 1))) --count;
  Label3.SetText(std::to_string(count));
  TColor color = kColorBlack;
  if (count > Selection.TextEnts.size()) color = CheckSort.Checked() ? kColorBlue : kColorRed;
  Label3.SetFontColor(color);
  Memo1.SetFontColor(color);
  if (lineCheckForm_ && lineCheckForm_->Visible()) lineCheckForm_->MemoChanged();
}

void TForm1::Button1Click() { Close(); }

}  // namespace vorbel
