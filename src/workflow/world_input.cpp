#include "workflow/world_input.h"

#include <charconv>
#include <string_view>

#include "dxf/drawing_state.h"

namespace vorbel {

namespace {

// The header's value, or empty when it is missing, no number or zero.
std::string NonZero(const TLineList& head, std::string_view name, std::string_view code) {
  const std::optional<std::string> value = HeaderValue(head, name, code);
  if (!value) return {};
  double number = 0;
  const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), number);
  if (error != std::errc() || end != value->data() + value->size() || number == 0) return {};
  return *value;
}

}  // namespace

TTypedInputState TypedInputState(const TLineList& head, bool userUcs, bool ucsFollow) {
  TTypedInputState state;
  state.UserUcs = userUcs;
  state.UcsFollow = userUcs && ucsFollow;
  state.AngBase = NonZero(head, "$ANGBASE", "50");
  state.Elevation = NonZero(head, "$ELEVATION", "40");
  return state;
}

std::vector<std::string> WorldInputBegin(const TTypedInputState& state) {
  std::vector<std::string> commands;
  if (state.UcsFollow) commands.emplace_back("_.UCSFOLLOW 0 ");
  if (state.UserUcs) commands.emplace_back("_.UCS _W ");
  if (!state.AngBase.empty()) commands.emplace_back("_.ANGBASE 0 ");
  return commands;
}

std::vector<std::string> WorldInputEnd(const TTypedInputState& state) {
  std::vector<std::string> commands;
  // Radians, marked "r", are read whatever the drawing's angle units.
  if (!state.AngBase.empty()) commands.push_back("_.ANGBASE " + state.AngBase + "r ");
  if (state.UserUcs) {
    commands.emplace_back("_.UCS _P ");
    if (!state.Elevation.empty()) commands.push_back("_.ELEVATION " + state.Elevation + " ");
  }
  if (state.UcsFollow) commands.emplace_back("_.UCSFOLLOW 1 ");
  return commands;
}

}  // namespace vorbel
