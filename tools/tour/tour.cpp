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

bool Select() {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  vorbel.Click(vorbel.select);
  if (!WaitFor([] { return ReadCommandLine() == "オブジェクトを選択: "; }, kStepPatience)) {
    return Fail("the CAD does not ask for objects");
  }
  Pointer("PICKALL");
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

bool Update(const std::string& saved) {
  const TVorbelWindow vorbel = FindVorbel();
  if (!Found(vorbel)) return Fail("no vorbel window");
  if (!vorbel.Enabled(vorbel.update)) return Fail("Update is not enabled");
  vorbel.Click(vorbel.update);
  if (!vorbel.MemoLines().empty()) return Fail("the window was not reset by the update");
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
  const TVorbelWindow vorbel = FindVorbel();
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
