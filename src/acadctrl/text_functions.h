// Picking values out of the texts AutoCAD shows. Texts and positions are code
// page 932 bytes; trimming removes bytes with codes 0 to 32 at both ends.
#pragma once

#include <string>
#include <string_view>

namespace vorbel {

// The text between the last `opener` and the first `closer` after it,
// trimmed. Empty when the opener does not occur, when no closer follows or
// when the closer follows the opener at once.
std::string TextBetween(std::string_view opener, std::string_view closer, std::string_view text);

// What follows the last `marker`, trimmed; empty when the marker does not
// occur. Occurrences are taken from left to right without overlap.
std::string TextAfterLast(std::string_view marker, std::string_view text);

// A fixed-point number text ("%.12f") without its superfluous trailing
// zeros; one digit stays after the point: 1.5, 2.25, -3.0, 0.0, 10.0.
std::string TrimZeros(std::string_view number);

}  // namespace vorbel
