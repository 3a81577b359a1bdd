// The main window on the headless backend: start-up, the settings file, the
// line counter and shut-down.
#include "app/form1.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/application.h"
#include "platform/file_path.h"
#include "platform/headless/sim_screen.h"
#include "platform/ui_automation.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

using test::ReadBytes;
using test::TTempDir;
using test::WriteBytes;

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication("Vorbel Ver.1.11a");
    TakeErrorBoxes();
    sim::SetScreenSize(1024, 768);
    sim::SetScreenDpi(96);
    sim::SetProgramPath(dir_.File("vorbel.exe"));
  }
  void TearDown() override {
    sim::SetProgramPath("");
    sim::SetScreenDpi(96);
  }
  std::string IniPath() const { return dir_.File("vorbel.ini"); }
  void WriteIni(const std::string& bytes) const { WriteBytes(IniPath(), bytes); }
  std::string ReadIni() const { return ReadBytes(IniPath()); }

  TTempDir dir_;
};

TEST_F(Form1Test, FirstStartWithoutSettingsFile) {
  auto form = std::make_unique<TForm1>();
  EXPECT_EQ(TForm1::SettingsFile(), IniPath());
  EXPECT_EQ(form->Caption(), "Vorbel Ver.1.12");
  EXPECT_EQ(ApplicationTitle(), "Vorbel Ver.1.11a");
  EXPECT_EQ(form->Bounds(), (TRect{382, 245, 259, 278}));
  EXPECT_EQ(form->ClientSize(), (TSize{251, 251}));
  EXPECT_TRUE(form->CheckSort.Checked());
  EXPECT_FALSE(form->PopupMenu1.Item("ConfirmUpdate1").Checked) << "更新 goes on with one click";
  form->Show();
  EXPECT_TRUE(form->Memo1.Focused());
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(form->Timer1.Interval(), 50u);
  EXPECT_EQ(form->TimerMode, TTimerMode::Idle);
  EXPECT_TRUE(form->Selection.TextEnts.empty());
  EXPECT_TRUE(form->Selection.DxfLines.empty());
  form.reset();
  EXPECT_EQ(ReadIni(),
            "[Form]\r\nWidth=259\r\nHeight=278\r\nLeft=382\r\nTop=245\r\n[Sort]\r\nChecked=1\r\n"
            "[Update]\r\nConfirm=0\r\n");
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(Form1Test, ControlsStartAsLaidOut) {
  TForm1 form;
  struct TCase {
    TControl* control;
    const char* text;
    bool enabled;
  };
  const TCase cases[] = {
      {&form.ButtonSelect, "選択", true},
      {&form.CheckSort, "座標順", true},
      {&form.Label5, "dX ", true},
      {&form.Edit1, "0", true},
      {&form.Label6, "dY", true},
      {&form.Edit2, "0", true},
      {&form.Memo1, "", true},
      {&form.Label2, "選択数：", true},
      {&form.Label1, "0", true},
      {&form.Label4, "行数：", true},
      {&form.Label3, "0", true},
      {&form.CheckXpit, "縦整列(dX=0)", false},
      {&form.CheckYpit, "横整列(dY=0)", false},
      {&form.CheckXYpit, "XY間隔を更新", false},
      {&form.ButtonUpdate, "更新", false},
      {&form.ButtonMake, "作成", false},
      {&form.Button1, "終了", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.control->Name());
    EXPECT_EQ(c.control->Text(), c.text);
    EXPECT_EQ(c.control->Enabled(), c.enabled);
  }
  EXPECT_FALSE(form.CheckXpit.Checked());
  EXPECT_FALSE(form.CheckYpit.Checked());
  EXPECT_FALSE(form.CheckXYpit.Checked());
  EXPECT_EQ(form.Memo1.FontFace(), "ＭＳ ゴシック");
  EXPECT_EQ(form.Label3.FontFace(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(form.Memo1.PopupMenu(), &form.PopupMenu1);
  const std::vector<TControl*> tabs = {
      &form.Memo1,      &form.ButtonSelect, &form.ButtonUpdate, &form.CheckSort, &form.Edit1,  &form.Edit2,
      &form.CheckXYpit, &form.ButtonMake,   &form.CheckXpit,    &form.CheckYpit, &form.Button1};
  EXPECT_EQ(form.TabSequence(), tabs);
}

TEST_F(Form1Test, ResizingStretchesTheMemoAndMovesTheButtons) {
  TForm1 form;
  form.SetBounds({0, 0, 259 + 40, 278 + 100});
  EXPECT_EQ(form.Memo1.Bounds(), (TRect{2, 50, 249 + 40, 121 + 100}));
  EXPECT_EQ(form.Button1.Bounds(), (TRect{187 + 40, 228 + 100, 51, 23}));
  EXPECT_EQ(form.Edit1.Bounds(), (TRect{187 + 40, 2, 58, 20}));
  EXPECT_EQ(form.Label3.Bounds(), (TRect{52, 197 + 100, 8, 13}));
  EXPECT_EQ(form.ButtonSelect.Bounds(), (TRect{10, 6, 57, 25}));
}

TEST_F(Form1Test, SettingsFileRestoresPlacementAndOrderOption) {
  struct TCase {
    std::string ini;  // empty: no file
    int screenWidth;
    TRect bounds;
    bool sorted;
  };
  const TCase cases[] = {
      {"", 1024, {382, 245, 259, 278}, true},
      {"", 1026, {383, 245, 259, 278}, true},  // the halving truncates
      {"[Form]\r\nWidth=0x200\r\n", 1024, {256, 245, 512, 278}, true},
      {"[Form]\r\nWidth=abc\r\nHeight=300\r\n", 1024, {382, 234, 259, 300}, true},
      {"[Form]\r\nWidth=513\r\n", 300, {-106, 245, 513, 278}, true},  // toward zero
      {"[Form]\r\nLeft=-3000\r\nTop=5000\r\n", 1024, {-3000, 5000, 259, 278}, true},
      {"[Sort]\r\nChecked=0\r\n", 1024, {382, 245, 259, 278}, false},
      {"[Sort]\r\nChecked=2\r\n", 1024, {382, 245, 259, 278}, true},
      {"[Sort]\r\nChecked=-1\r\n", 1024, {382, 245, 259, 278}, true},
      {"[Sort]\r\nChecked=\r\n", 1024, {382, 245, 259, 278}, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ini + " on " + std::to_string(c.screenWidth));
    std::filesystem::remove(FilePath(IniPath()));
    if (!c.ini.empty()) WriteIni(c.ini);
    sim::SetScreenSize(c.screenWidth, 768);
    TForm1 form;
    EXPECT_EQ(form.Bounds(), c.bounds);
    EXPECT_EQ(form.CheckSort.Checked(), c.sorted);
    // With no records, unticked "座標順" disables the pitch fields and Make.
    for (const TControl* control :
         {static_cast<TControl*>(&form.Edit1), static_cast<TControl*>(&form.Edit2),
          static_cast<TControl*>(&form.Label5), static_cast<TControl*>(&form.Label6),
          static_cast<TControl*>(&form.ButtonMake), static_cast<TControl*>(&form.CheckXYpit)}) {
      const bool expected = c.sorted && control != &form.ButtonMake && control != &form.CheckXYpit;
      EXPECT_EQ(control->Enabled(), expected) << control->Name();
    }
    EXPECT_FALSE(form.CheckXYpit.Checked());
  }
}

TEST_F(Form1Test, TickingTheOrderOptionAgainEnablesItsControls) {
  WriteIni("[Sort]\r\nChecked=0\r\n");
  TForm1 form;
  form.CheckXYpit.SetChecked(true);
  ClickControl(form.CheckSort);
  EXPECT_TRUE(form.CheckSort.Checked());
  for (const TControl* control : {static_cast<TControl*>(&form.Edit1), static_cast<TControl*>(&form.Edit2),
                                  static_cast<TControl*>(&form.Label5), static_cast<TControl*>(&form.Label6),
                                  static_cast<TControl*>(&form.CheckXYpit)}) {
    EXPECT_TRUE(control->Enabled()) << control->Name();
  }
  EXPECT_FALSE(form.ButtonMake.Enabled()) << "no listed text to shape new texts on";
  EXPECT_TRUE(form.CheckXYpit.Checked());
  ClickControl(form.CheckSort);
  EXPECT_FALSE(form.CheckXYpit.Enabled());
  EXPECT_FALSE(form.CheckXYpit.Checked());
}

TEST_F(Form1Test, ExitKeepsOtherSectionsAndWritesTheNormalBounds) {
  WriteIni("[Recent]\r\nFile=a.dxf\r\n[Form]\r\nWidth=300\r\nHeight=280\r\nLeft=100\r\nTop=50\r\nNote=x\r\n");
  {
    TForm1 form;
    form.Show();
    EXPECT_EQ(form.Bounds(), (TRect{100, 50, 300, 280}));
    form.SetBounds({120, 60, 310, 290});
    form.Minimize();
    ClickControl(form.CheckSort);
    ChooseMenuItem(form.Memo1, "ConfirmUpdate1");
    ClickControl(form.Button1);  // "終了"
    EXPECT_TRUE(form.Closed());
  }
  EXPECT_EQ(ReadIni(),
            "[Recent]\r\nFile=a.dxf\r\n[Form]\r\nWidth=310\r\nHeight=290\r\nLeft=120\r\nTop=60\r\nNote=x\r\n"
            "[Sort]\r\nChecked=0\r\n[Update]\r\nConfirm=1\r\n");
}

TEST_F(Form1Test, CaptionCloseButtonClosesToo) {
  TForm1 form;
  form.Show();
  CloseByCaptionButton(form);
  EXPECT_TRUE(form.Closed());
  EXPECT_FALSE(form.Visible());
}

TEST_F(Form1Test, SizesAreKeptIn96DpiPixels) {
  WriteIni("[Form]\r\nWidth=300\r\nHeight=200\r\nLeft=10\r\nTop=20\r\n[Update]\r\nConfirm=1\r\n");
  sim::SetScreenDpi(144);
  {
    TForm1 form;
    EXPECT_EQ(form.Bounds(), (TRect{10, 20, 450, 300}));
    EXPECT_TRUE(form.PopupMenu1.Item("ConfirmUpdate1").Checked);
    EXPECT_EQ(form.Memo1.Bounds().Left, 3);
  }
  EXPECT_EQ(ReadIni(),
            "[Form]\r\nWidth=300\r\nHeight=200\r\nLeft=10\r\nTop=20\r\n[Update]\r\nConfirm=1\r\n[Sort]\r\n"
            "Checked=1\r\n");
}

TEST_F(Form1Test, UnwritableSettingsFileShowsTheErrorAndTheProgramEnds) {
  std::filesystem::create_directory(FilePath(IniPath()));
  {
    TForm1 form;
    EXPECT_EQ(form.Bounds(), (TRect{382, 245, 259, 278}));
    form.Close();
  }
  const auto boxes = TakeErrorBoxes();
  ASSERT_EQ(boxes.size(), 1u);  // the keys after the failed one are not tried
  EXPECT_EQ(boxes[0].Caption, "Vorbel Ver.1.11a");
  EXPECT_EQ(boxes[0].Text, IniPath() + " に書き込めません.");
}

TEST_F(Form1Test, AFolderThatTakesNoFileIsToldOnceAtStart) {
  // The program kept where it cannot write (a folder that is not there
  // stands for one without the right to write).
  sim::SetProgramPath(dir_.File("読めるだけ/vorbel.exe"));
  {
    TForm1 form;
    form.WarnIfFolderNotWritable();
    const auto boxes = TakeErrorBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text.find(dir_.File("読めるだけ") + " に書き込めないため"), 0u) << boxes[0].Text;
    form.Close();
  }
  EXPECT_TRUE(TakeErrorBoxes().empty()) << "not told again when the settings are not written";
  sim::SetProgramPath(dir_.File("vorbel.exe"));
  TForm1 form;
  form.WarnIfFolderNotWritable();
  EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(Form1Test, LineCounterCountsUpToTheLastNonBlankLineAndColours) {
  struct TCase {
    size_t records;
    bool sorted;
    std::string memo;
    const char* count;
    TColor color;
  };
  const TCase cases[] = {
      {0, true, "", "0", kColorBlack},
      {0, true, "a", "1", kColorBlue},
      {0, false, "a", "1", kColorRed},
      {0, true, "\r\n \r\n\t\r\n", "0", kColorBlack},
      {0, true, "　", "1", kColorBlue},  // a full-width space is not blank
      {3, true, "a\r\nb\r\nc\r\nd", "4", kColorBlue},
      {3, false, "a\r\nb\r\nc\r\nd\r\n", "4", kColorRed},
      {3, true, "a\r\nb\r\nc\r\n\r\n  \r\n\t", "3", kColorBlack},
      {3, true, "a\r\n\r\n\r\nb\r\n", "4", kColorBlue},  // blank lines between count
      {3, false, "a\r\n\r\nb\r\n   ", "3", kColorBlack},
      {3, true, "ア\r\n \r\n　\r\n\t\r\n", "3", kColorBlack},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.memo);
    TForm1 form;
    form.Selection.TextEnts.resize(c.records);
    form.CheckSort.SetChecked(c.sorted);
    form.Memo1.SetText("x\r\ny\r\nz\r\nw\r\nv");
    form.Memo1.SetText(c.memo);
    EXPECT_EQ(form.Label3.Text(), c.count);
    EXPECT_EQ(form.Label3.FontColor(), c.color);
    EXPECT_EQ(form.Memo1.FontColor(), c.color);
  }
}

TEST_F(Form1Test, ColourFollowsTheTextNotTheOrderOption) {
  TForm1 form;
  form.Selection.TextEnts.resize(3);
  form.Memo1.SetText("1\r\n2\r\n3\r\n4");
  EXPECT_EQ(form.Label3.FontColor(), kColorBlue);
  // Deleting the fourth line as a user does turns both black again.
  form.Memo1.SetSel(7, 3);
  form.Memo1.ReplaceSelection("");
  EXPECT_EQ(form.Memo1.Text(), "1\r\n2\r\n3");
  EXPECT_EQ(form.Label3.Text(), "3");
  EXPECT_EQ(form.Memo1.FontColor(), kColorBlack);
  // Unticking the option changes no colour until the text changes.
  form.Selection.TextEnts.clear();
  form.Memo1.AddLine("4");
  EXPECT_EQ(form.Memo1.FontColor(), kColorBlue);
  form.CheckSort.SetChecked(false);
  EXPECT_EQ(form.Memo1.FontColor(), kColorBlue);
  TypeKey(form.Memo1, 'x');
  EXPECT_EQ(form.Memo1.FontColor(), kColorRed);
  EXPECT_EQ(form.Label3.FontColor(), kColorRed);
}

}  // namespace
}  // namespace vorbel
