#include "engine/stepped_input.h"

#include "engine/cad_windows.h"

namespace vorbel::cadsim {

bool TSteppedInput::Add(std::uintptr_t dwData, std::string_view bytes) {
  const size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  if ((dwData != kTypedInput && dwData != kPointerInput) || bytes.empty()) return false;
  const bool first = waiting_.empty();
  waiting_.push_back({dwData, std::string(bytes)});
  return first;
}

bool TSteppedInput::Step(TCadEngine& engine) {
  if (waiting_.empty()) return false;
  TMessage& next = waiting_.front();
  if (next.dwData == kTypedInput) {
    next.bytes.erase(0, engine.TypeInput(next.bytes));
  } else {
    engine.OnCopyData(next.dwData, next.bytes);
    next.bytes.clear();
  }
  if (next.bytes.empty()) waiting_.pop_front();
  return !waiting_.empty();
}

}  // namespace vorbel::cadsim
