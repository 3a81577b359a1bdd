// Which objects an export holds: the handles of the entities in its entities
// section, so that two exports can be told to hold the same objects or not.
#pragma once

#include <string>
#include <vector>

#include "base/line_list.h"

namespace vorbel {

// The group-5 values (trimmed, in upper case) of the entities of the entities
// section, sorted: the entities with their vertices, attributes and sequence
// ends.
std::vector<std::string> EntityHandles(const TLineList& lines);

}  // namespace vorbel
