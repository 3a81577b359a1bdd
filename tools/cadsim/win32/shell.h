// The stand-in CAD as a Win32 program: the main window and the text window
// with the titles and classes the tool looks for, both made by one thread,
// their command-line windows answering WM_GETTEXT with the prompt and the
// recent history, typed input by WM_COPYDATA carried out before the message
// returns (or later, as the timing says), and the history put on the
// clipboard by the text window's command 32781.
//
// For a person: a plan of the drawing (a click picks an entity while
// objects are selected, or gives the point an insertion asks for), a list
// of the entities (type, handle, position, string; a double click picks),
// the prompt and an edit to type commands in (Enter sends the line, Escape
// cancels, F2 shows or hides the text window).
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/cad_engine.h"
#include "engine/cad_options.h"
#include "engine/stepped_input.h"
#include "win32/plan_view.h"
#include "win32/win_handles.h"

namespace vorbel::cadsim {

class TShell {
 public:
  TShell(HINSTANCE instance, TCadEngine& engine, TCadTiming timing = {});
  TShell(const TShell&) = delete;
  TShell& operator=(const TShell&) = delete;

  // Shows the windows and runs the message loop until the main window is
  // closed; returns the exit code.
  int Run();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND CreateChild(HWND parent, const std::wstring& className, const std::string& title, DWORD style,
                   int id = 0);
  void RegisterClasses();
  void CreateWindows();
  void Layout();
  void LayoutTextWindow();

  LRESULT AnswerText(const std::string& text, UINT message, WPARAM wParam, LPARAM lParam) const;
  void OnCopyData(const COPYDATASTRUCT& record);
  void StepInput();
  // Work for later, run from the message loop `delayMs` milliseconds from now,
  // in the order it was scheduled.
  void Schedule(int delayMs, std::function<void()> work);
  void RunDueWork();
  void WriteExportLater(const std::string& file, const TLineList& lines);
  void CopyHistoryToClipboard();
  void OnPlanClick(POINT at);
  void OnListGetInfo(NMLVDISPINFOW& info);
  void OnListDoubleClick(int item);
  void PaintPrompt(HWND window) const;
  void PaintRecentLines(HWND window) const;
  void SendTypedLine();
  // Brings every window up to date with the engine.
  void Refresh();
  bool PreTranslate(const MSG& message);

  HINSTANCE instance_;
  TCadEngine& engine_;
  TCadTiming timing_;
  TSteppedInput stepped_;
  std::map<std::pair<ULONGLONG, uint64_t>, std::function<void()>> scheduled_;  // by (due, order)
  uint64_t scheduledCount_ = 0;
  TPlanView plan_;
  std::vector<std::unique_ptr<TWindowClass>> classes_;
  TGdiObject<HFONT> font_;
  TWindowHandle main_;
  TWindowHandle text_;
  HWND planView_ = nullptr;
  HWND list_ = nullptr;
  HWND bar_ = nullptr;
  HWND barHistory_ = nullptr;
  HWND barPrompt_ = nullptr;
  HWND edit_ = nullptr;
  HWND textHistory_ = nullptr;
  HWND textHistoryEdit_ = nullptr;
  HWND textPrompt_ = nullptr;

  uint64_t shownVersion_ = UINT64_MAX;
  std::string shownName_;
  std::string shownHistory_;
  std::wstring listText_;  // the text a list cell was last given
};

}  // namespace vorbel::cadsim
