// vorbel-tour: walks through one cycle of vorbel.exe and the stand-in CAD that
// are already running on the desktop, one step per call, so that a script
// can photograph the screen between the steps. It works the two windows only
// by messages, as the end-to-end tests do: buttons by BM_CLICK, the memo by a
// paste, picks and points by the stand-in's pointer input.
//
//   vorbel-tour wait              both windows are there and the CAD is idle
//   vorbel-tour select            Select, every object picked; prints the list
//   vorbel-tour renumber          numbers every line and adds one more line
//   vorbel-tour update SAVED.dxf  Update, then the drawing saved and its texts printed
//   vorbel-tour close             closes both programs
//
// Output is code page 932 text; the exit status is 0 when the step did what it
// says, 1 when it did not, 2 on wrong usage.
#include <windows.h>

#include <cstdio>
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
#include "platform/process_io.h"
#include "platform/win32/text_codec.h"

namespace vorbel {
namespace {

constexpr ULONGLONG kPatience = 30000;
constexpr UINT kMessagePatience = 30000;
constexpr std::uintptr_t kPointerInput = 2;
constexpr std::string_view kIdle = "コマンド: ";

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

template <typename TCondition>
bool WaitFor(TCondition condition, ULONGLONG patience = kPatience) {
  const ULONGLONG until = GetTickCount64() + patience;
  while (!condition()) {
    if (GetTickCount64() > until) return false;
    Sleep(20);
  }
  return true;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kMessagePatience, &result);
  return static_cast<LRESULT>(result);
}

std::string TextOf(HWND window) {
  const auto length = static_cast<size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  const auto got = static_cast<size_t>(
      Send(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data())));
  text.resize(got < length ? got : length);
  return WideToCp932(text);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// vorbel's main window and the controls the tour works.
struct TVorbel {
  HWND form = nullptr;
  HWND select = nullptr;
  HWND update = nullptr;
  HWND memo = nullptr;

  bool Found() const { return form != nullptr && select != nullptr && update != nullptr && memo != nullptr; }
  std::vector<std::string> Lines() const { return SplitLines(TextOf(memo)); }
};

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

TVorbel FindVorbel() {
  TVorbel v;
  v.form = FindWindowW(L"TForm1", L"Vorbel Ver.1.12");
  if (v.form == nullptr) return v;
  std::vector<HWND> children;
  EnumChildWindows(v.form, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    std::wstring className(256, L'\0');
    className.resize(static_cast<size_t>(GetClassNameW(child, className.data(), 256)));
    if (lstrcmpiW(className.c_str(), L"Edit") == 0 &&
        (GetWindowLongPtrW(child, GWL_STYLE) & ES_MULTILINE) != 0) {
      v.memo = child;
    } else if (lstrcmpiW(className.c_str(), L"Button") == 0) {
      const std::string caption = TextOf(child);
      if (caption == "選択") v.select = child;
      if (caption == "更新") v.update = child;
    }
  }
  return v;
}

bool Fail(const std::string& message) {
  Print(message + "\r\n");
  return false;
}

bool Wait() {
  TVorbel vorbel;
  const bool ready = WaitFor([&] {
    vorbel = FindVorbel();
    return vorbel.Found() && IsWindowVisible(vorbel.form) && ReadCommandLine() == kIdle;
  });
  if (!ready) return Fail("vorbel.exe or the stand-in CAD did not come up");
  Print("ready: " + WindowTitle(FindAcadWindow()) + "\r\n");
  return true;
}

bool Select() {
  const TVorbel vorbel = FindVorbel();
  if (!vorbel.Found()) return Fail("no vorbel window");
  Send(vorbel.select, BM_CLICK, 0, 0);
  if (!WaitFor([] { return ReadCommandLine() == "オブジェクトを選択: "; })) {
    return Fail("the CAD does not ask for objects");
  }
  const std::string pick = "PICKALL";
  SendCopyData(FindAcadWindow(), kPointerInput, pick.c_str(), static_cast<uint32_t>(pick.size() + 1));
  SendCommand("\r");
  // The list is complete when the window is back and shows one line per text
  // read; a selection without texts leaves it empty.
  if (!WaitFor([&] { return IsWindowVisible(vorbel.form) != FALSE && ReadCommandLine() == kIdle; })) {
    return Fail("the selection did not end");
  }
  if (!WaitFor([&] { return !vorbel.Lines().empty(); }, 5000)) return Fail("no texts in the selection");
  Print("listed:\r\n");
  for (const std::string& line : vorbel.Lines()) Print("  " + line + "\r\n");
  return true;
}

// "1. " before the first line, "2. " before the second ... and one line more,
// which Update makes a new text one step after the last.
bool Renumber() {
  const TVorbel vorbel = FindVorbel();
  if (!vorbel.Found()) return Fail("no vorbel window");
  const std::vector<std::string> lines = vorbel.Lines();
  if (lines.empty()) return Fail("the list is empty");
  std::string text;
  size_t number = 0;
  for (const std::string& line : lines) text += std::to_string(++number) + ". " + line + "\r\n";
  text += std::to_string(++number) + ". 追加";
  // Pasted over the whole memo, so the program counts the lines as it does
  // for the user's edits.
  Send(vorbel.memo, EM_SETSEL, 0, -1);
  const std::wstring wide = Cp932ToWide(text);
  Send(vorbel.memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
  Print("edited:\r\n");
  for (const std::string& line : vorbel.Lines()) Print("  " + line + "\r\n");
  return true;
}

std::string Coordinate(double value) { return TrimZeros(FormatFixed12(value)); }

bool Update(const std::string& saved) {
  const TVorbel vorbel = FindVorbel();
  if (!vorbel.Found()) return Fail("no vorbel window");
  if (IsWindowEnabled(vorbel.update) == FALSE) return Fail("Update is not enabled");
  Send(vorbel.update, BM_CLICK, 0, 0);
  if (!vorbel.Lines().empty()) return Fail("the window was not reset by the update");
  DeleteFileAt(saved);
  SendCommand("SAVEAS " + saved + "\r");
  if (!FileExists(saved)) return Fail("the drawing was not saved");
  TTextEnts texts;
  ParseTextEnts(LoadLines(saved), texts);
  Print("texts of the drawing after the update (X, Y, string):\r\n");
  for (const TTextEnt& text : texts) {
    const TDxfPoint& at = RefPoint(text);
    Print("  " + Coordinate(at.X) + ", " + Coordinate(at.Y) + "  " + text.Text + "\r\n");
  }
  return true;
}

bool Close() {
  const TVorbel vorbel = FindVorbel();
  if (vorbel.form != nullptr) PostMessageW(vorbel.form, WM_CLOSE, 0, 0);
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
  if (step == "wait" && arguments.size() == 1) {
    done = Wait();
  } else if (step == "select" && arguments.size() == 1) {
    done = Select();
  } else if (step == "renumber" && arguments.size() == 1) {
    done = Renumber();
  } else if (step == "update" && arguments.size() == 2) {
    done = Update(arguments[1]);
  } else if (step == "close" && arguments.size() == 1) {
    done = Close();
  } else {
    Print("usage: vorbel-tour wait | select | renumber | update SAVED.dxf | close\r\n");
    return 2;
  }
  return done ? 0 : 1;
}
