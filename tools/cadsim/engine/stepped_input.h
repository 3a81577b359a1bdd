// Input carried out one input at a time, as a CAD program that reads its
// keystrokes from the message loop shows the prompts between them: the
// messages' data wait here, and each step carries out one input (what a
// blank or CR ends, as the prompt of the moment takes them, or a \x03 alone)
// or one pointer input. The shells run the steps from their message loops.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "engine/cad_engine.h"

namespace vorbel::cadsim {

class TSteppedInput {
 public:
  // Queues WM_COPYDATA's data (read up to its first NUL) behind what waits
  // already; other kinds of data are not queued. True when nothing waited
  // before, so that the caller schedules the first step.
  bool Add(std::uintptr_t dwData, std::string_view bytes);
  // Carries out the next input; true while more input waits.
  bool Step(TCadEngine& engine);
  bool empty() const { return waiting_.empty(); }

 private:
  struct TMessage {
    std::uintptr_t dwData;
    std::string bytes;
  };
  std::deque<TMessage> waiting_;
};

}  // namespace vorbel::cadsim
