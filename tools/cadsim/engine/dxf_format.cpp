#include "engine/dxf_format.h"

#include <array>
#include <charconv>
#include <cmath>

#include "base/errors.h"
#include "base/numbers.h"
#include "cp932/cp932.h"

namespace vorbel::cadsim {

bool IsRealGroupCode(int32_t code) {
  return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
         (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059);
}

namespace {

constexpr int kSignificantDigits = 16;

// d.dddddddddddddddE+XX: 16 significant digits, at least two exponent digits.
std::string Scientific(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  std::string text(buffer.data(), result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

}  // namespace

std::string FormatDxfReal(double value, int decimals) {
  if (std::isnan(value) || std::isinf(value)) return FormatGeneral15(value);
  if (value == 0) return "0.0";
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  if (exponent >= kSignificantDigits) return Scientific(value);
  const int places = std::min(decimals, std::max(0, kSignificantDigits - 1 - exponent));
  std::array<char, 400> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, places);
  std::string text(buffer.data(), result.ptr);
  if (text.find_first_of("123456789") == std::string::npos) {
    // All places are zero: at full precision the value is kept in scientific
    // notation, at a lower one it is written as the zero it rounds to.
    return decimals == kMaxDecimals ? Scientific(value) : "0.0";
  }
  if (text.find('.') == std::string::npos) {
    text += ".0";
    return text;
  }
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text += '0';
  return text;
}

std::string FormatGroupCode(int32_t code) {
  std::string text = std::to_string(code);
  if (text.size() < 3) text.insert(0, 3 - text.size(), ' ');
  return text;
}

void AppendDxfLines(const TDxfPairs& pairs, int decimals, TLineList& lines) {
  for (const TDxfPair& pair : pairs) {
    lines.push_back(FormatGroupCode(pair.Code));
    if (IsRealGroupCode(pair.Code)) {
      if (const auto value = TryStrToFloat(TrimBlanks(pair.Value))) {
        lines.push_back(FormatDxfReal(*value, decimals));
        continue;
      }
    }
    lines.push_back(pair.Value);
  }
}

int32_t ReadGroupCode(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  int32_t code = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) RaiseNotInteger(text);
  return code;
}

}  // namespace vorbel::cadsim
