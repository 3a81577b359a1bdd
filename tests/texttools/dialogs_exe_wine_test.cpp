// vorbel.exe's memo tools as a user reaches them: the memo's pop-up menu
// opened as the context-menu key opens it, an item chosen with the arrow keys
// and Enter, the dialog it opens filled and run through its controls' window
// messages, and the memo read back.
//
// With VORBEL_SHOT_DIR set (a folder as the program sees it), the test stops
// at each dialog, puts NAME.want into the folder and goes on when something
// outside has taken a screenshot and removed the file.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file_path.h"
#include "support/temp_dir.h"
#include "windriver/vorbel_window.h"
#include "windriver/window_driver.h"

namespace vorbel {
namespace {

namespace fs = std::filesystem;
using namespace windriver;

std::vector<HWND> ChildrenOfClass(HWND window, const std::string& className) {
  std::vector<HWND> found;
  for (HWND child : Children(window)) {
    if (ClassOf(child) == className) found.push_back(child);
  }
  return found;
}

// The items of the memo's menu that are not separators, top to bottom.
enum TItem {
  kSelectAll = 1,
  kAdd,
  kRenumber,
  kReplace,
  kUpper,
  kLower,
  kFull,
  kHalf,
  kAppend,
  kCheckLines,
  kCheckChars
};

// vorbel.exe's main window and the memo tools of its pop-up menu.
class TMemoTools {
 public:
  TMemoTools(const TVorbelWindow& window, DWORD processId)
      : main_(window.form), memo_(window.memo), processId_(processId) {}

  // A menu that opens under the mouse pointer highlights the item the
  // pointer rests on; the window goes to the corner farthest from it.
  void MoveAwayFromPointer() const {
    POINT pointer{};
    GetCursorPos(&pointer);
    RECT bounds{};
    GetWindowRect(main_, &bounds);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int left = pointer.x > screenWidth / 2 ? 16 : screenWidth - (bounds.right - bounds.left) - 16;
    const int top = pointer.y > screenHeight / 2 ? 16 : screenHeight - (bounds.bottom - bounds.top) - 16;
    SetWindowPos(main_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The window at the middle of the screen's top (or bottom) edge, away from
  // the pointer, so that windows wider than it fit beside and over it.
  void MoveToMiddleAwayFromPointer() const {
    POINT pointer{};
    GetCursorPos(&pointer);
    RECT bounds{};
    GetWindowRect(main_, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int top = pointer.y > screenHeight / 3 ? 16 : screenHeight - height - 16;
    SetWindowPos(main_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND Memo() const { return memo_; }
  std::string MemoText() const { return TextOf(memo_); }

  // Puts the text in the memo and selects all of it.
  void SetMemo(const std::string& text) const {
    SetTextOf(memo_, text);
    Send(memo_, EM_SETSEL, 0, -1);
  }

  // Opens the pop-up menu from the keyboard and chooses an item; the
  // dialog it opens, of this class, or null.
  HWND Choose(TItem item, const wchar_t* dialogClass) const {
    PostMessageW(memo_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo_), MAKELPARAM(-1, -1));
    HWND menu = WaitForProcessWindow(processId_, L"#32768");
    if (menu == nullptr) return nullptr;
    if (item == kAppend) Snapshot("popup-menu");
    for (int i = 0; i < static_cast<int>(item); ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    if (dialogClass == nullptr) {
      Closed(menu);
      return nullptr;
    }
    return WaitForProcessWindow(processId_, dialogClass);
  }

  // Waits until the window (a menu, a dialog, a box) is gone from the screen.
  static bool Closed(HWND window) {
    return WaitFor([&] { return IsWindowVisible(window) == FALSE; });
  }

  HWND Focus() const { return FocusedControl(main_); }

  // A key pressed where the focus is, as the keyboard sends it.
  void PressKey(UINT key) const {
    HWND focus = Focus();
    const auto down = static_cast<LPARAM>(1u | (MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16));
    PostMessageW(focus, WM_KEYDOWN, key, down);
    PostMessageW(focus, WM_KEYUP, key, down | static_cast<LPARAM>(0xC0000000u));
  }

  // Waits until the dialog is centred over the main window.
  bool Centred(HWND dialog) const {
    return WaitFor([&] {
      RECT owner{};
      RECT shown{};
      GetWindowRect(main_, &owner);
      GetWindowRect(dialog, &shown);
      const LONG width = shown.right - shown.left;
      const LONG height = shown.bottom - shown.top;
      return shown.left == std::max(0L, owner.left + (owner.right - owner.left - width) / 2) &&
             shown.top == std::max(0L, owner.top + (owner.bottom - owner.top - height) / 2);
    });
  }

  static void Snapshot(const std::string& name) {
    const char* folder = std::getenv("VORBEL_SHOT_DIR");
    if (folder == nullptr) return;
    Sleep(300);  // let the window paint
    const fs::path want = fs::path(folder) / (name + ".want");
    std::ofstream(want).put('\n');
    WaitFor([&] { return !fs::exists(want); }, 30000);
  }

 private:
  HWND main_;
  HWND memo_;
  DWORD processId_;
};

// Ctrl+Z in the memo takes back what a command of the menu did, and a
// second Ctrl+Z brings it again; what was typed before the command stays.
TEST(DialogsExe, CtrlZTakesBackACommand) {
  test::TTempDir temp;
  TVorbelProgram program(FilePath(VORBEL_EXE), FilePath(temp.File("")), "");
  const TVorbelWindow& window = program.Window();
  ASSERT_TRUE(window.Complete());
  TMemoTools tools(window, program.Process().Id());
  tools.MoveAwayFromPointer();
  tools.SetMemo("abc\r\nd");
  Send(tools.Memo(), EM_SETSEL, 6, 6);
  Send(tools.Memo(), WM_CHAR, 'x', 1);
  Send(tools.Memo(), EM_SETSEL, 0, -1);
  tools.Choose(kUpper, nullptr);
  EXPECT_TRUE(WaitFor([&] { return tools.MemoText() == "ABC\r\nDX"; })) << tools.MemoText();
  constexpr WPARAM kCtrlZ = 0x1A;
  Send(tools.Memo(), WM_CHAR, kCtrlZ, 1);
  EXPECT_EQ(tools.MemoText(), "abc\r\ndx");
  Send(tools.Memo(), WM_CHAR, kCtrlZ, 1);
  EXPECT_EQ(tools.MemoText(), "ABC\r\nDX");
  // The lines were never listed: closing asks, and the user lets them go.
  PostMessageW(window.form, WM_CLOSE, 0, 0);
  EXPECT_NE(AnswerQuestionBox(program.Process().Id(), "Vorbel Ver.1.11a", true), "");
  EXPECT_EQ(program.Process().WaitForExit(kPatience), 0);
}

TEST(DialogsExe, EachDialogFromThePopupMenuRewritesTheMemo) {
  test::TTempDir temp;
  TVorbelProgram program(FilePath(VORBEL_EXE), FilePath(temp.File("")), "");
  const TVorbelWindow& window = program.Window();
  ASSERT_TRUE(window.Complete());
  TMemoTools tools(window, program.Process().Id());
  tools.MoveAwayFromPointer();

  // Select all, then upper case and full width of the selection.
  tools.SetMemo("abc\r\nd");
  Send(tools.Memo(), EM_SETSEL, 1, 1);
  tools.Choose(kSelectAll, nullptr);
  DWORD start = 0;
  DWORD end = 0;
  Send(tools.Memo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 6u);
  tools.Choose(kUpper, nullptr);
  EXPECT_EQ(tools.MemoText(), "ABC\r\nD");
  tools.SetMemo("ab");
  tools.Choose(kFull, nullptr);
  EXPECT_EQ(tools.MemoText(), "ａｂ");
  tools.Choose(kSelectAll, nullptr);
  tools.Choose(kHalf, nullptr);
  EXPECT_EQ(tools.MemoText(), "ab");
  // AutoCAD's codes stay as they are.
  tools.SetMemo("45%%d");
  tools.Choose(kFull, nullptr);
  EXPECT_EQ(tools.MemoText(), "４５%%d");

  {
    // "最終行に連番追加": pre-filled from the last line; the previews follow.
    tools.SetMemo("No.099");
    HWND dialog = tools.Choose(kAppend, L"TForm2");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "連番作成");
    EXPECT_TRUE(tools.Centred(dialog));
    const std::vector<HWND> edits = ChildrenOfClass(dialog, "Edit");  // 前, 初期値, 後, ｽﾃｯﾌﾟ, 作成数
    ASSERT_EQ(edits.size(), 5u);
    EXPECT_EQ(TextOf(edits[0]), "No.");
    EXPECT_EQ(TextOf(edits[1]), "100");
    EXPECT_EQ(TextOf(edits[2]), "");
    EXPECT_EQ(TextOf(edits[3]), "1");
    EXPECT_EQ(TextOf(edits[4]), "15");
    EXPECT_NE(ChildWithText(dialog, "[No.100]"), nullptr);
    EXPECT_NE(ChildWithText(dialog, "[No.114]"), nullptr);
    HWND run = ChildWithText(dialog, "実行");
    ASSERT_NE(run, nullptr);
    EXPECT_TRUE(WaitFor([&] { return tools.Focus() == run; }));
    TMemoTools::Snapshot("form2-sequence");
    tools.PressKey(VK_ESCAPE);  // does not close
    SetTextOf(edits[4], "3");
    EXPECT_NE(ChildWithText(dialog, "[No.102]"), nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    Send(run, BM_CLICK);
    EXPECT_TRUE(tools.Closed(dialog));
    EXPECT_EQ(tools.MemoText(), "No.099\r\nNo.100\r\nNo.101\r\nNo.102");
  }
  {
    // The kinds: "第三" continues in 漢数字; choosing 丸数字 rewrites the
    // initial value, and a run past ⑳ shows the error box with the dialog
    // still open.
    tools.SetMemo("第三");
    HWND dialog = tools.Choose(kAppend, L"TForm2");
    ASSERT_NE(dialog, nullptr);
    const std::vector<HWND> lists = ChildrenOfClass(dialog, "ComboBox");
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(TextOf(lists[0]), "漢数字");
    const std::vector<HWND> edits = ChildrenOfClass(dialog, "Edit");
    ASSERT_EQ(edits.size(), 5u);
    EXPECT_EQ(TextOf(edits[0]), "第");
    EXPECT_EQ(TextOf(edits[1]), "四");
    EXPECT_NE(ChildWithText(dialog, "[第十八]"), nullptr);
    ASSERT_TRUE(ChooseListItem(lists[0], "丸数字"));
    EXPECT_EQ(TextOf(edits[1]), "④");
    EXPECT_NE(ChildWithText(dialog, "[第⑱]"), nullptr);
    TMemoTools::Snapshot("form2-kinds");
    SetTextOf(edits[4], "20");  // ④ to 23
    EXPECT_NE(ChildWithText(dialog, "[範囲外]"), nullptr);
    PostMessageW(ChildWithText(dialog, "実行"), BM_CLICK, 0, 0);
    EXPECT_EQ(TakeErrorBox(program.Process().Id(), "Vorbel Ver.1.11a"), "丸数字の連番は ① から ⑳ までです.");
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetTextOf(edits[4], "2");
    Send(ChildWithText(dialog, "実行"), BM_CLICK);
    EXPECT_TRUE(tools.Closed(dialog));
    EXPECT_EQ(tools.MemoText(), "第三\r\n第④\r\n第⑤");
  }
  {
    // A circled result past ⑳ leaves its line; the message comes after the
    // dialog has closed.
    tools.SetMemo("⑲\r\n⑳");
    HWND dialog = tools.Choose(kAdd, L"TForm3");
    ASSERT_NE(dialog, nullptr);
    PostMessageW(ChildWithText(dialog, "実行"), BM_CLICK, 0, 0);
    EXPECT_EQ(TakeErrorBox(program.Process().Id(), "Vorbel Ver.1.11a"),
              "1 行は結果が丸数字（①～⑳）の範囲外のため変更できませんでした.");
    EXPECT_TRUE(tools.Closed(dialog));
    EXPECT_EQ(tools.MemoText(), "⑳\r\n⑳");
  }
  {
    // "加算、減算": add 5 to the last number of every selected line.
    tools.SetMemo("A-01\r\nA-02\r\nB-10");
    HWND dialog = tools.Choose(kAdd, L"TForm3");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "＋ｎ");
    EXPECT_TRUE(tools.Centred(dialog));
    const std::vector<HWND> edits = ChildrenOfClass(dialog, "Edit");
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(TextOf(edits[0]), "1");
    TMemoTools::Snapshot("form3-add");
    SetTextOf(edits[0], "5");
    Send(ChildWithText(dialog, "実行"), BM_CLICK);
    EXPECT_TRUE(tools.Closed(dialog));
    EXPECT_EQ(tools.MemoText(), "A-06\r\nA-07\r\nB-15");
  }
  {
    // "先頭行が基準の連番に": the first line is the model.
    tools.SetMemo("P-5\r\nP-5\r\nP-5");
    HWND dialog = tools.Choose(kRenumber, L"TForm3");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "連番");
    TMemoTools::Snapshot("form3-renumber");
    SetTextOf(ChildrenOfClass(dialog, "Edit").at(0), "10");
    Send(ChildWithText(dialog, "実行"), BM_CLICK);
    EXPECT_TRUE(tools.Closed(dialog));
    EXPECT_EQ(tools.MemoText(), "P-5\r\nP-15\r\nP-25");
  }
  {
    // A number beyond 32 bits: the error box, the line before changed, the
    // dialog still open.
    tools.SetMemo("A1\r\nB99999999999\r\nC3");
    HWND dialog = tools.Choose(kAdd, L"TForm3");
    ASSERT_NE(dialog, nullptr);
    PostMessageW(ChildWithText(dialog, "実行"), BM_CLICK, 0, 0);
    HWND box = WaitForProcessWindow(program.Process().Id(), L"#32770", L"Vorbel Ver.1.11a");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(ChildWithText(box, "'99999999999' は整数ではありません."), nullptr);
    TMemoTools::Snapshot("form3-error");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(tools.Closed(box));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(tools.MemoText(), "A2\r\nB99999999999\r\nC3");
    Send(ChildWithText(dialog, "ｷｬﾝｾﾙ"), BM_CLICK);
    EXPECT_TRUE(tools.Closed(dialog));
  }
  {
    // "置換": both fields hold the line of the selection's start; Enter moves
    // from the search text to the replacement to "実行" and runs it.
    tools.SetMemo("abc-ABC\r\nxAbx");
    HWND dialog = tools.Choose(kReplace, L"TForm4");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "置換");
    EXPECT_TRUE(tools.Centred(dialog));
    const std::vector<HWND> edits = ChildrenOfClass(dialog, "Edit");
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(TextOf(edits[0]), "abc-ABC");
    EXPECT_EQ(TextOf(edits[1]), "abc-ABC");
    EXPECT_TRUE(WaitFor([&] { return tools.Focus() == edits[0]; }));
    DWORD from = 0;
    DWORD to = 0;
    Send(edits[0], EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 7u);
    HWND ignoreCase = ChildWithText(dialog, "大文字/小文字を無視");
    HWND replaceAll = ChildWithText(dialog, "同一行内のすべてを置換");
    ASSERT_NE(ignoreCase, nullptr);
    ASSERT_NE(replaceAll, nullptr);
    TMemoTools::Snapshot("form4-replace");
    SetTextOf(edits[0], "ab");
    SetTextOf(edits[1], "Z");
    // Ticked without moving the focus away from the search text.
    Send(ignoreCase, BM_SETCHECK, BST_CHECKED);
    Send(replaceAll, BM_SETCHECK, BST_CHECKED);
    tools.PressKey(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(dialog));
    tools.PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return tools.Focus() == edits[1]; }));
    tools.PressKey(VK_RETURN);
    HWND run = ChildWithText(dialog, "実行");
    EXPECT_TRUE(WaitFor([&] { return tools.Focus() == run; }));
    EXPECT_TRUE(IsWindowVisible(dialog));
    tools.PressKey(VK_RETURN);
    EXPECT_TRUE(tools.Closed(dialog));
    EXPECT_EQ(tools.MemoText(), "Zc-ZC\r\nxZx");
  }
  {
    // 100,000 lines appended in one go; the time is reported, not checked.
    tools.SetMemo("x");
    HWND dialog = tools.Choose(kAppend, L"TForm2");
    ASSERT_NE(dialog, nullptr);
    const std::vector<HWND> edits = ChildrenOfClass(dialog, "Edit");
    ASSERT_EQ(edits.size(), 5u);
    SetTextOf(edits[0], "L");
    SetTextOf(edits[4], "100000");
    const ULONGLONG before = GetTickCount64();
    // Timed, not checked: on a loaded machine Wine's edit control takes
    // longer than one step's patience to lay out so many lines.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(ChildWithText(dialog, "実行"), BM_CLICK, 0, 0, SMTO_NORMAL, 6 * kPatience, &ignored);
    const ULONGLONG elapsed = GetTickCount64() - before;
    std::printf("vorbel.exe appended 100000 lines in %llu ms\n", elapsed);
    ::testing::Test::RecordProperty("append_100000_ms", static_cast<int>(elapsed));
    EXPECT_TRUE(tools.Closed(dialog));
    EXPECT_EQ(Send(tools.Memo(), EM_GETLINECOUNT), 100001);
    HWND counter = ChildWithText(window.form, "100001");
    EXPECT_NE(counter, nullptr) << "the line counter";
  }

  // The lines, typed without a listing, never reach a drawing: closing asks.
  PostMessageW(window.form, WM_CLOSE, 0, 0);
  EXPECT_NE(AnswerQuestionBox(program.Process().Id(), "Vorbel Ver.1.11a", true), "");
  EXPECT_EQ(program.Process().WaitForExit(kPatience), 0);
}

// The rows of the only list view of a window, once there are `count`.
bool ListRows(HWND window, LRESULT count) {
  const std::vector<HWND> lists = ChildrenOfClass(window, "SysListView32");
  return lists.size() == 1 && WaitFor([&] { return Send(lists[0], LVM_GETITEMCOUNT) == count; });
}

TEST(DialogsExe, TheChecksReportBesideTheMemoAndReplaceInIt) {
  test::TTempDir temp;
  TVorbelProgram program(FilePath(VORBEL_EXE), FilePath(temp.File("")), "");
  const TVorbelWindow& window = program.Window();
  ASSERT_TRUE(window.Complete());
  TMemoTools tools(window, program.Process().Id());
  tools.MoveToMiddleAwayFromPointer();

  // "重複・欠番を調べる": a window beside the main window, which stays usable
  // and whose memo the report follows.
  // Pasted, so that the program counts the lines as it does the user's.
  window.PasteIntoMemo("P-1\r\nP-3\r\nP-1\r\nP-7\r\n①ｶﾅ㈱");
  HWND report = tools.Choose(kCheckLines, L"TLineCheckForm");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(TextOf(report), "重複・欠番");
  EXPECT_TRUE(IsWindowEnabled(window.form));
  EXPECT_TRUE(ListRows(report, 5));  // P-1 twice, P-2, P-4～P-6, P-1 after P-3
  EXPECT_NE(ChildWithText(report, "重複 1 件、欠番 2 件、順序 1 件 (5 行)"), nullptr);
  TMemoTools::Snapshot("line-check");
  window.PasteIntoMemo("A\r\nB\r\nA");
  EXPECT_TRUE(ListRows(report, 2));
  PostMessageW(report, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tools.Closed(report));

  // "機種依存文字を調べる": a dialog; すべて置き換える rewrites the memo and
  // leaves what has no standard form.
  window.PasteIntoMemo("①ｶﾅ㈱\r\n普通\r\n\xFB\xFC");
  HWND dialog = tools.Choose(kCheckChars, L"TCharCheckForm");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "機種依存文字");
  EXPECT_TRUE(tools.Centred(dialog));
  EXPECT_FALSE(IsWindowEnabled(window.form));
  EXPECT_TRUE(ListRows(dialog, 4));
  TMemoTools::Snapshot("char-check");
  HWND replace = ChildWithText(dialog, "すべて置き換える");
  ASSERT_NE(replace, nullptr);
  Send(replace, BM_CLICK);
  EXPECT_EQ(tools.MemoText(), "(1)カナ(株)\r\n普通\r\n\xFB\xFC");
  EXPECT_TRUE(ListRows(dialog, 1));
  EXPECT_FALSE(IsWindowEnabled(replace));
  tools.PressKey(VK_ESCAPE);
  EXPECT_TRUE(tools.Closed(dialog));
  EXPECT_TRUE(IsWindowEnabled(window.form));
}

}  // namespace
}  // namespace vorbel
