// Building texts part by part. GCC 12 warns falsely (-Wrestrict) about some
// inlined `"literal" + std::string` expressions; appending does not.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vorbel::bench {

// The parts one after the other.
inline std::string Joined(std::initializer_list<std::string_view> parts) {
  size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::string text;
  text.reserve(size);
  for (std::string_view part : parts) text.append(part);
  return text;
}

}  // namespace vorbel::bench
