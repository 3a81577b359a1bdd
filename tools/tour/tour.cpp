// vorbel-tour: walks through one cycle of vorbel.exe and the stand-in CAD that
// are already running on the desktop, one step per call, so that a script
// can photograph the screen between the steps. It works the two windows only
// by messages, as the end-to-end tests do: buttons by BM_CLICK, the memo by a
// paste, the pop-up menu by the keys a user presses, picks and points by the
// stand-in's pointer input.
//
//   vorbel-tour wait              both windows are there and the CAD is idle
//   vorbel-tour select [PREFIX]   Select, every object picked (or only the texts
//                                 whose string begins with PREFIX); prints the list
//   vorbel-tour renumber          numbers every line and adds one more line
//   vorbel-tour lines LINE...     the memo's lines replaced by these, as a paste
//   vorbel-tour menu [COMMAND [N=TEXT...]]
//                                 every line selected and the memo's pop-up menu
//                                 opened as a right click opens it (left open), or
//                                 its COMMAND chosen with the arrow keys: all, add,
//                                 renumber, replace, upper, lower, full, half,
//                                 sequence; the dialog a command opens is left
//                                 open with its N-th field set to TEXT (and, with
//                                 kind=NAME, the kind NAME chosen in its list)
//   vorbel-tour run | cancel      the open dialog's 実行 or ｷｬﾝｾﾙ pressed
//   vorbel-tour update SAVED.dxf  Update (its preview 更新の確認 or its question
//                                 before objects other than texts are drawn
//                                 again answered yes), then the drawing saved
//                                 and its texts printed
//   vorbel-tour ask               Update pressed, its preview or its question
//                                 (if either opens) left open
//   vorbel-tour answer yes|no     the open preview (更新 or キャンセル pressed) or
//                                 question answered and the update's end
//                                 awaited; nothing when nothing was asked
//   vorbel-tour make X,Y          Make, the new texts placed at X,Y in the CAD
//   vorbel-tour save SAVED.dxf    the drawing saved and its texts printed
//   vorbel-tour frame tool|dialog|both
//                                 where the main window (with an open menu), the
//                                 open dialog (one of the menu's or the preview),
//                                 or the CAD and the main window are on the
//                                 screen, as WIDTHxHEIGHT+LEFT+TOP
//   vorbel-tour close             closes both programs
//
// Output is code page 932 text; the exit status is 0 when the step did what it
// says, 1 when it did not, 2 on wrong usage.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "acadctrl/text_functions.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/text_ents.h"
#include "platform/desktop.h"
#include "platform/file_path.h"
#include "platform/process_io.h"
#include "windriver/cadsim_driver.h"
#include "windriver/vorbel_window.h"
#include "windriver/window_driver.h"

namespace vorbel {
namespace {

using namespace windriver;

// How long the tour waits for what a step awaits (milliseconds).
constexpr DWORD kStepPatience = 30000;

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// vorbel's main window and the controls the tour works (the counters and the
// pitch fields it does not need).
TVorbelWindow FindVorbel() {
  const HWND form = FindWindowW(L"TForm1", L"Vorbel Ver.1.12");
  return form != nullptr ? VorbelControls(form) : TVorbelWindow{};
}

bool Found(const TVorbelWindow& vorbel) {
  return vorbel.form != nullptr && vorbel.select != nullptr && vorbel.update != nullptr &&
         vorbel.memo != nullptr;
}

bool Fail(const std::string& message) {
  Print(message + "\r\n");
  return false;
}

bool Wait() {
  const bool ready = WaitFor(
      [] {
        const TVorbelWindow vorbel = FindVorbel();
        return Found(vorbel) && IsWindowVisible(vorbel.form) && ReadCommandLine() == kIdlePrompt;
      },
      kStepPatience);
  if (!ready) return Fail("vorbel.exe or the stand-in CAD did not come up");
  Print("ready: " + WindowTitle(FindAcadWindow()) + "\r\n");
  return true;
}

// The whole drawing as the CAD writes it (DXFOUT without objects), which
// leaves the drawing's name and its previous selection set as they were.
TTextEnts DrawingTexts() {
  const std::string file = PathText(std::filesystem::current_path() / "vorbel-tour-drawing.dxf");
  DeleteFileAt(file);
  SendCommand("DXFOUT " + PathForCommand(file) + "\r" + "16 ");
  TTextEnts texts;
  if (WaitFor([&] { return FileExists(file) && ReadCommandLine() == kIdlePrompt; }, kStepPatience)) {
    ParseTextEnts(LoadLines(file), texts);
  }
  DeleteFileAt(file);
  return texts;
}

bool Select(const std::string* prefix) {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  std::string picks = "PICKALL";
  if (prefix != nullptr) {
    std::string handles;
    for (const TTextEnt& text : DrawingTexts()) {
      if (text.Text.starts_with(*prefix)) handles += (handles.empty() ? "" : ",") + text.Handle;
    }
    if (handles.empty()) return Fail("no text begins with " + *prefix);
    picks = "PICK " + handles;
  }
  vorbel.Click(vorbel.select);
  if (!WaitFor([] { return ReadCommandLine() == "オブジェクトを選択: "; }, kStepPatience)) {
    return Fail("the CAD does not ask for objects");
  }
  Pointer(picks);
  SendCommand("\r");
  // The list is complete when the window is back and shows one line per text
  // read; a selection without texts leaves it empty.
  if (!WaitFor([&] { return !vorbel.Minimized() && ReadCommandLine() == kIdlePrompt; }, kStepPatience)) {
    return Fail("the selection did not end");
  }
  if (!WaitFor([&] { return !vorbel.MemoLines().empty(); }, 5000)) return Fail("no texts in the selection");
  Print("listed:\r\n");
  for (const std::string& line : vorbel.MemoLines()) Print("  " + line + "\r\n");
  return true;
}

// "1. " before the first line, "2. " before the second ... and one line more,
// which Update makes a new text one step after the last.
bool Renumber() {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  const std::vector<std::string> lines = vorbel.MemoLines();
  if (lines.empty()) return Fail("the list is empty");
  std::string text;
  size_t number = 0;
  for (const std::string& line : lines) text += std::to_string(++number) + ". " + line + "\r\n";
  text += std::to_string(++number) + ". 追加";
  vorbel.PasteIntoMemo(text);
  Print("edited:\r\n");
  for (const std::string& line : vorbel.MemoLines()) Print("  " + line + "\r\n");
  return true;
}

std::string Coordinate(double value) { return TrimZeros(FormatFixed12(value)); }

bool Save(const std::string& saved, const std::string& heading = "texts of the drawing") {
  DeleteFileAt(saved);
  SendCommand("SAVEAS " + saved + "\r");
  if (!WaitFor([&] { return FileExists(saved) && ReadCommandLine() == kIdlePrompt; }, kStepPatience)) {
    return Fail("the drawing was not saved");
  }
  TTextEnts texts;
  ParseTextEnts(LoadLines(saved), texts);
  Print(heading + " (X, Y, string):\r\n");
  for (const TTextEnt& text : texts) {
    const TDxfPoint& at = RefPoint(text);
    Print("  " + Coordinate(at.X) + ", " + Coordinate(at.Y) + "  " + text.Text + "\r\n");
  }
  return true;
}

// vorbel's message box (a question or an error), when one is open.
HWND VorbelBox() { return FindWindowW(L"#32770", L"Vorbel Ver.1.11a"); }

// vorbel's preview of an update, once it is shown: it opens by itself when
// the update would erase a text, and always when the pop-up menu's
// 更新前に確認 is checked.
HWND VorbelPreview() {
  const HWND preview = FindWindowW(L"TUpdatePreviewForm", L"更新の確認");
  return preview != nullptr && IsWindowVisible(preview) ? preview : nullptr;
}

// vorbel asks before it updates: its preview or its question is open.
bool VorbelAsks() { return VorbelPreview() != nullptr || VorbelBox() != nullptr; }

DWORD VorbelProcess(const TVorbelWindow& vorbel) {
  DWORD processId = 0;
  GetWindowThreadProcessId(vorbel.form, &processId);
  return processId;
}

// Update pressed; true once vorbel shows its preview, asks a question or has
// written the lines back.
bool PressUpdate(const TVorbelWindow& vorbel) {
  if (!vorbel.Enabled(vorbel.update)) return Fail("Update is not enabled");
  PostMessageW(vorbel.update, BM_CLICK, 0, 0);
  if (!WaitFor([&] { return VorbelAsks() || vorbel.MemoLines().empty(); }, kStepPatience)) {
    return Fail("the window was not reset by the update");
  }
  return true;
}

// The preview's 更新 or キャンセル pressed as a click presses it, its caption
// and its labels (the counts, the warnings) printed.
bool AnswerPreview(HWND preview, bool yes) {
  const std::string caption = yes ? "更新" : "キャンセル";
  HWND button = ChildWithText(preview, caption, "Button");
  if (button == nullptr) return Fail("the preview has no button " + caption);
  Print(TextOf(preview) + ":\r\n");
  for (HWND child : Children(preview)) {
    if (_stricmp(ClassOf(child).c_str(), "Static") == 0) Print("  " + TextOf(child) + "\r\n");
  }
  PostMessageW(button, BM_CLICK, 0, 0);
  if (!WaitFor([] { return VorbelPreview() == nullptr; }, kStepPatience)) return Fail("the preview stays");
  Print("-> " + caption + "\r\n");
  return true;
}

// vorbel's preview, or the question it asks before objects other than texts
// are drawn again, answered, its text printed; then the update's end awaited.
bool Answer(const TVorbelWindow& vorbel, bool yes) {
  if (HWND preview = VorbelPreview()) {
    if (!AnswerPreview(preview, yes)) return false;
  } else if (VorbelBox() == nullptr && vorbel.MemoLines().empty()) {
    Print("nothing asked: the update is done\r\n");
    return true;
  } else {
    const std::string question = AnswerQuestionBox(VorbelProcess(vorbel), "Vorbel Ver.1.11a", yes);
    if (question.empty()) return Fail("vorbel asks nothing");
    Print(question + (yes ? " -> はい\r\n" : " -> いいえ\r\n"));
  }
  const bool ended = WaitFor([&] { return yes ? vorbel.MemoLines().empty() : vorbel.Enabled(vorbel.update); },
                             kStepPatience);
  return ended || Fail("the update did not end");
}

// Update; its preview is answered 更新, the question before objects other
// than texts are drawn again はい.
bool Update(const std::string& saved) {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  if (!PressUpdate(vorbel)) return false;
  if (VorbelAsks() && !Answer(vorbel, true)) return false;
  return Save(saved, "texts of the drawing after the update");
}

// Update pressed and its preview or its question, if either opens, left open
// on the screen.
bool Ask() {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  if (!PressUpdate(vorbel)) return false;
  Print(VorbelPreview() != nullptr ? "vorbel shows its preview\r\n"
        : VorbelBox() != nullptr   ? "vorbel asks\r\n"
                                   : "nothing asked: the update is done\r\n");
  return true;
}

bool Lines(const std::vector<std::string>& lines) {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  vorbel.PasteIntoMemo(JoinLines(lines));
  return true;
}

bool Make(const std::string& point) {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  if (!vorbel.Enabled(vorbel.make)) return Fail("Make is not enabled");
  vorbel.Click(vorbel.make);
  if (!WaitFor([] { return ReadCommandLine().find("挿入点を指定") != std::string::npos; }, kStepPatience)) {
    return Fail("the CAD does not ask for the insertion point");
  }
  Pointer("POINT " + point);
  if (!WaitFor([&] { return !vorbel.Minimized() && ReadCommandLine() == kIdlePrompt; }, kStepPatience)) {
    return Fail("the placement did not end");
  }
  return true;
}

// The memo's pop-up menu and its dialogs.

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

// A shown top-level window of vorbel.exe of one of these classes, or null.
HWND ShownWindow(const TVorbelWindow& vorbel, std::initializer_list<const wchar_t*> classes) {
  for (const wchar_t* className : classes) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
      if (ProcessOf(window) == ProcessOf(vorbel.form) && IsWindowVisible(window)) return window;
    }
  }
  return nullptr;
}

HWND ShownMenu(const TVorbelWindow& vorbel) { return ShownWindow(vorbel, {L"#32768"}); }
// A dialog of the pop-up menu's commands.
HWND ShownDialog(const TVorbelWindow& vorbel) {
  return ShownWindow(vorbel, {L"TForm2", L"TForm3", L"TForm4"});
}

HWND OpenMenu(const TVorbelWindow& vorbel) {
  if (HWND menu = ShownMenu(vorbel)) return menu;
  // A click into the memo gives it the focus, which shows the selection.
  Send(vorbel.memo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  Send(vorbel.memo, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  Send(vorbel.memo, EM_SETSEL, 0, -1);
  // Where a right click beside the memo's first lines opens it, so that the
  // lines stay in sight.
  POINT at{90, 30};
  ClientToScreen(vorbel.memo, &at);
  PostMessageW(vorbel.memo, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(vorbel.memo), MAKELPARAM(at.x, at.y));
  HWND menu = nullptr;
  WaitFor([&] { return (menu = ShownMenu(vorbel)) != nullptr; }, kStepPatience);
  return menu;
}

void PrintDialog(HWND dialog) {
  Print(TextOf(dialog) + ":\r\n");
  for (HWND child : Children(dialog)) {
    if (_stricmp(ClassOf(child).c_str(), "Edit") == 0) Print("  [" + TextOf(child) + "]\r\n");
  }
}

void PrintMemo(const TVorbelWindow& vorbel) {
  Print("the memo:\r\n");
  for (const std::string& line : vorbel.MemoLines()) Print("  " + line + "\r\n");
}

// The menu's commands in their order (separators not counted), as the
// down-arrow key reaches them, and whether they open a dialog.
struct TMenuCommand {
  const char* name;
  bool opensDialog;
};
constexpr TMenuCommand kMenuCommands[] = {
    {"all", false},   {"add", true},   {"renumber", true}, {"replace", true},  {"upper", false},
    {"lower", false}, {"full", false}, {"half", false},    {"sequence", true},
};

bool Menu(const std::vector<std::string>& arguments) {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  HWND menu = OpenMenu(vorbel);
  if (menu == nullptr) return Fail("the pop-up menu did not open");
  if (arguments.empty()) return true;
  size_t place = 0;
  while (place < std::size(kMenuCommands) && arguments[0] != kMenuCommands[place].name) ++place;
  if (place == std::size(kMenuCommands)) return Fail("no menu command " + arguments[0]);
  for (size_t i = 0; i <= place; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  if (!kMenuCommands[place].opensDialog) {
    if (!WaitFor([&] { return IsWindowVisible(menu) == FALSE; }, kStepPatience))
      return Fail("the menu stays");
    PrintMemo(vorbel);
    return true;
  }
  HWND dialog = nullptr;
  if (!WaitFor([&] { return (dialog = ShownDialog(vorbel)) != nullptr; }, kStepPatience)) {
    return Fail("no dialog opened");
  }
  std::vector<HWND> edits;
  for (HWND child : Children(dialog)) {
    if (_stricmp(ClassOf(child).c_str(), "Edit") == 0) edits.push_back(child);
  }
  for (auto field = arguments.begin() + 1; field != arguments.end(); ++field) {
    if (field->starts_with("kind=")) {
      HWND kinds = nullptr;
      for (HWND child : Children(dialog)) {
        if (_stricmp(ClassOf(child).c_str(), "ComboBox") == 0) kinds = child;
      }
      if (kinds == nullptr || !ChooseListItem(kinds, field->substr(5))) return Fail("no kind " + *field);
      continue;
    }
    const size_t equals = field->find('=');
    const int number = equals == std::string::npos ? 0 : std::atoi(field->substr(0, equals).c_str());
    if (number < 1 || static_cast<size_t>(number) > edits.size()) return Fail("no field " + *field);
    SetTextOf(edits[static_cast<size_t>(number) - 1], field->substr(equals + 1));
  }
  PrintDialog(dialog);
  return true;
}

bool Press(const std::string& caption) {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  HWND dialog = ShownDialog(vorbel);
  HWND button = dialog != nullptr ? ChildWithText(dialog, caption) : nullptr;
  if (button == nullptr) return Fail("no dialog with " + caption);
  Send(button, BM_CLICK);
  if (!WaitFor([&] { return IsWindowVisible(dialog) == FALSE; }, kStepPatience)) {
    return Fail("the dialog stays");
  }
  PrintMemo(vorbel);
  return true;
}

RECT Bounds(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT Union(const RECT& a, const RECT& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool Frame(const std::string& what) {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  RECT frame = Bounds(vorbel.form);
  if (what == "tool") {
    if (HWND menu = ShownMenu(vorbel)) frame = Union(frame, Bounds(menu));
  } else if (what == "dialog") {
    HWND dialog = ShownDialog(vorbel);
    if (dialog == nullptr) dialog = VorbelPreview();
    if (dialog == nullptr) return Fail("no dialog");
    frame = Bounds(dialog);
  } else if (what == "both") {
    const TWindow cad = FindAcadWindow();
    if (cad == kNoWindow) return Fail("no CAD window");
    frame = Union(frame, Bounds(reinterpret_cast<HWND>(cad)));
  } else {
    return Fail("frame of what: tool, dialog or both");
  }
  Print(std::to_string(frame.right - frame.left) + "x" + std::to_string(frame.bottom - frame.top) + "+" +
        std::to_string(frame.left) + "+" + std::to_string(frame.top) + "\r\n");
  return true;
}

bool Close() {
  const TVorbelWindow vorbel = FindVorbel();
  if (vorbel.form != nullptr) {
    PostMessageW(vorbel.form, WM_CLOSE, 0, 0);
    // Lines not written back (the tour's last lines went to Make) make vorbel
    // ask before it closes: they may go.
    DWORD processId = 0;
    GetWindowThreadProcessId(vorbel.form, &processId);
    AnswerQuestionBox(processId, "Vorbel Ver.1.11a", true, nullptr, 3000);
  }
  const TWindow cad = FindAcadWindow();
  if (cad != kNoWindow) PostMessageW(reinterpret_cast<HWND>(cad), WM_CLOSE, 0, 0);
  return true;
}

}  // namespace
}  // namespace vorbel

int main(int argc, char** argv) {
  using namespace vorbel;
  SetBinaryStdio();
  const std::vector<std::string> arguments = ProgramArguments(argc, argv);
  const std::string step = arguments.empty() ? "" : arguments[0];
  bool done = false;
  const std::vector<std::string> rest(arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end());
  if (step == "wait" && rest.empty()) {
    done = Wait();
  } else if (step == "select" && rest.size() <= 1) {
    done = Select(rest.empty() ? nullptr : &rest[0]);
  } else if (step == "renumber" && rest.empty()) {
    done = Renumber();
  } else if (step == "lines" && !rest.empty()) {
    done = Lines(rest);
  } else if (step == "menu") {
    done = Menu(rest);
  } else if (step == "run" && rest.empty()) {
    done = Press("実行");
  } else if (step == "cancel" && rest.empty()) {
    done = Press("ｷｬﾝｾﾙ");
  } else if (step == "update" && rest.size() == 1) {
    done = Update(rest[0]);
  } else if (step == "ask" && rest.empty()) {
    done = Ask();
  } else if (step == "answer" && rest.size() == 1 && (rest[0] == "yes" || rest[0] == "no")) {
    const TVorbelWindow vorbel = FindVorbel();
    done = Found(vorbel) && Answer(vorbel, rest[0] == "yes");
  } else if (step == "make" && rest.size() == 1) {
    done = Make(rest[0]);
  } else if (step == "save" && rest.size() == 1) {
    done = Save(rest[0]);
  } else if (step == "frame" && rest.size() == 1) {
    done = Frame(rest[0]);
  } else if (step == "close" && rest.empty()) {
    done = Close();
  } else {
    Print(
        "usage: vorbel-tour wait | select [PREFIX] | renumber | lines LINE... |\r\n"
        "       menu [COMMAND [N=TEXT...]] | run | cancel |\r\n"
        "       update SAVED.dxf | ask | answer yes|no | make X,Y | save SAVED.dxf |\r\n"
        "       frame tool|dialog|both | close\r\n");
    return 2;
  }
  return done ? 0 : 1;
}
