// What Update tells the user before it changes the drawing: why it refuses
// when listed objects lie on locked layers, and what it asks when the listed
// selection holds more than plain texts.
#pragma once

#include <map>
#include <string>

#include "dxf/drawing_state.h"

namespace vorbel {

// The refusal for objects on locked layers: AutoCAD's ERASE leaves them, but
// the insertion would draw them again, doubled.
std::string LockedLayersMessage(const TLockedObjects& locked);

// The question before objects other than plain texts are erased and drawn
// again from the exchange file (kinds as ObjectsBeyondPlainTexts counts
// them).
std::string RedrawQuestion(const std::map<std::string, size_t>& kinds);

}  // namespace vorbel
