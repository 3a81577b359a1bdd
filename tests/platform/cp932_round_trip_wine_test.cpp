// Cp932RoundTrip against the conversion the Win32 controls make: code page
// 932 to UTF-16 and back (text_codec.h) for every single byte (a lead byte
// alone is one at the end of a text), every lead byte with every second
// byte, each alone and between other characters. The code page is given
// explicitly, so the process's locale plays no part.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cp932/cp932.h"
#include "platform/ui_text.h"
#include "platform/win32/text_codec.h"

namespace vorbel {
namespace {

std::string Hex(const std::string& bytes) {
  std::string text;
  for (char c : bytes) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned>(static_cast<unsigned char>(c)));
    text += digits;
  }
  return text;
}

TEST(Cp932RoundTrip, GivesWhatTheConversionThroughUtf16Gives) {
  std::vector<std::string> texts;
  for (unsigned b = 0; b < 0x100; ++b) {
    const char first = static_cast<char>(b);
    texts.emplace_back(1, first);
    if (!IsLeadByte(first)) continue;
    for (unsigned trail = 0; trail < 0x100; ++trail) texts.push_back({first, static_cast<char>(trail)});
  }
  ASSERT_EQ(texts.size(), 256u + 60u * 256u);
  int differences = 0;
  for (const std::string& text : texts) {
    for (const std::string& input : {text, "a" + text + "あ"}) {
      const std::string expected = WideToCp932(Cp932ToWide(input));
      const std::string actual = Cp932RoundTrip(input);
      if (actual != expected && ++differences <= 20) {
        ADD_FAILURE() << Hex(input) << "-> " << Hex(actual) << "expected " << Hex(expected);
      }
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace vorbel
