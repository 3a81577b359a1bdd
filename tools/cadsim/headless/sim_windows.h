// The stand-in CAD's windows on the simulated desktop of the native build,
// so that tests run the real CAD link against it in one process.
//
// The main window takes typed input (WM_COPYDATA) for the engine; a command
// bar inside it holds the prompt window ("Headlands", answering the current
// prompt) and the history window ("MountTam", answering the recent history).
// The text window, created by the same thread, holds a history window and a
// prompt window of its own and puts the whole history on the clipboard when
// it gets WM_COMMAND 32781.
#pragma once

#include <cstdint>

#include "engine/cad_engine.h"
#include "platform/desktop.h"

namespace vorbel::cadsim {

constexpr uint32_t kSimCadThreadId = 0xCAD0;

class TSimCadWindows {
 public:
  explicit TSimCadWindows(TCadEngine& engine, uint32_t threadId = kSimCadThreadId);
  ~TSimCadWindows();
  TSimCadWindows(const TSimCadWindows&) = delete;
  TSimCadWindows& operator=(const TSimCadWindows&) = delete;

  TWindow MainWindow() const { return main_; }
  TWindow TextWindow() const { return text_; }

 private:
  void RefreshTitles();

  TCadEngine& engine_;
  TWindow main_ = kNoWindow;
  TWindow text_ = kNoWindow;
};

}  // namespace vorbel::cadsim
