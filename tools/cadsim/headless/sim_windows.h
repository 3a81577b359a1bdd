// The stand-in CAD's windows on the simulated desktop of the native build,
// so that tests run the real CAD link against it in one process.
//
// The main window takes typed input (WM_COPYDATA) for the engine; a command
// bar inside it holds the prompt window ("Headlands", answering the current
// prompt) and the history window ("MountTam", answering the recent history).
// The text window, created by the same thread, holds a history window and a
// prompt window of its own and puts the whole history on the clipboard when
// it gets WM_COMMAND 32781. With a timing, input and exports wait for the
// simulated desktop's time to pass; with an input step, typed input is
// carried out one input at a time as that time passes.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/cad_engine.h"
#include "engine/cad_options.h"
#include "engine/stepped_input.h"
#include "platform/desktop.h"

namespace vorbel::cadsim {

constexpr uint32_t kSimCadThreadId = 0xCAD0;

class TSimCadWindows {
 public:
  explicit TSimCadWindows(TCadEngine& engine, uint32_t threadId = kSimCadThreadId, TCadTiming timing = {});
  ~TSimCadWindows();
  TSimCadWindows(const TSimCadWindows&) = delete;
  TSimCadWindows& operator=(const TSimCadWindows&) = delete;

  TWindow MainWindow() const { return main_; }
  TWindow TextWindow() const { return text_; }

 private:
  void RefreshTitles();
  void StepInput();

  TCadEngine& engine_;
  TCadTiming timing_;
  TSteppedInput stepped_;
  // Work scheduled for later runs only while the windows exist.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  TWindow main_ = kNoWindow;
  TWindow text_ = kNoWindow;
};

}  // namespace vorbel::cadsim
