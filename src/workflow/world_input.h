// Typed values in world terms. AutoCAD reads a typed point in the current
// UCS and a typed angle from ANGBASE, and ELEVATION gives a point typed with
// two coordinates its Z. The insertions of Update and Make type their point
// and angle, so around them the tool switches to the world UCS and an angle
// base of 0, and gives the user's settings back afterwards, each from the
// export's header at full precision.
#pragma once

#include <string>
#include <vector>

#include "base/line_list.h"

namespace vorbel {

struct TTypedInputState {
  bool UserUcs = false;    // WORLDUCS is 0: the current UCS is not the world's
  bool UcsFollow = false;  // UCSFOLLOW is 1: a change of UCS turns the view
  std::string AngBase;     // $ANGBASE in radians as the export writes it; empty when 0
  std::string Elevation;   // $ELEVATION as the export writes it; empty when 0
};

// The state from an export's header and the two variables read from
// AutoCAD (UCSFOLLOW counts only with a user UCS).
TTypedInputState TypedInputState(const TLineList& head, bool userUcs, bool ucsFollow);

// The commands before the insertions, and those that give everything back
// after them (in the same undo group). Empty when there is nothing to
// change. "UCS W" sets ELEVATION to 0 and "UCS P" does not bring it back, so
// the elevation is typed again after "UCS P".
std::vector<std::string> WorldInputBegin(const TTypedInputState& state);
std::vector<std::string> WorldInputEnd(const TTypedInputState& state);

}  // namespace vorbel
