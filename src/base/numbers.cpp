#include "base/numbers.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "base/errors.h"

namespace vorbel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  return text.substr(i);
}

std::optional<int32_t> ReadHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    const int d = HexDigitValue(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ReadDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<int32_t>(value);
}

// Accepts [sign] digits [. digits] [(E|e) [sign] digits] and nothing else.
bool IsRealSyntax(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
  text = SkipLeadingBlanks(text);
  if (text.starts_with("0x") || text.starts_with("0X")) return ReadHex(text.substr(2));
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
    return ReadHex(text.substr(1));
  }
  return ReadDecimal(text);
}

int32_t StrToInt(std::string_view text) {
  if (auto value = TryStrToInt(text)) return *value;
  RaiseNotInteger(text);
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) { return TryStrToInt(text).value_or(fallback); }

std::optional<double> TryStrToFloat(std::string_view text) {
  std::string_view core = SkipLeadingBlanks(text);
  while (!core.empty() && core.back() == ' ') core.remove_suffix(1);
  if (!IsRealSyntax(core)) return std::nullopt;
  // from_chars takes no "+" and never looks at the C locale.
  std::string_view unsigned_part = core;
  bool negative = false;
  if (unsigned_part[0] == '+' || unsigned_part[0] == '-') {
    negative = unsigned_part[0] == '-';
    unsigned_part.remove_prefix(1);
  }
  double value = 0;
  const auto [end, ec] =
      std::from_chars(unsigned_part.data(), unsigned_part.data() + unsigned_part.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too small to represent is zero; too large is no number.
    const std::string copy(unsigned_part);
    errno = 0;
    value = std::strtod(copy.c_str(), nullptr);
    if (std::isinf(value)) return std::nullopt;
  } else if (ec != std::errc() || end != unsigned_part.data() + unsigned_part.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

double StrToFloat(std::string_view text) {
  if (auto value = TryStrToFloat(text)) return *value;
  RaiseNotReal(text);
}

namespace {
std::optional<std::string> NonFiniteText(double value) {
  if (std::isnan(value)) return std::string("NAN");
  if (std::isinf(value)) return std::string(value < 0 ? "-INF" : "INF");
  return std::nullopt;
}
}  // namespace

std::string FormatFixed12(double value) {
  if (auto text = NonFiniteText(value)) return *text;
  std::array<char, 400> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 12);
  return std::string(buffer.data(), result.ptr);
}

std::string FormatGeneral15(double value) {
  if (auto text = NonFiniteText(value)) return *text;
  if (value == 0) return "0";
  // d.dddddddddddddde±XX, correctly rounded to 15 significant digits.
  std::array<char, 64> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific, 14);
  const std::string_view sci(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
  const bool negative = sci[0] == '-';
  const std::string_view body = negative ? sci.substr(1) : sci;
  const size_t ePos = body.find('e');
  std::string digits;
  digits.push_back(body[0]);
  digits.append(body.substr(2, ePos - 2));
  const int exponent = std::atoi(std::string(body.substr(ePos + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = negative ? "-" : "";
  if (exponent >= -4 && exponent <= 14) {
    if (exponent < 0) {
      text += "0.";
      text.append(static_cast<size_t>(-exponent - 1), '0');
      text += digits;
    } else {
      const size_t intDigits = static_cast<size_t>(exponent) + 1;
      if (digits.size() <= intDigits) {
        text += digits;
        text.append(intDigits - digits.size(), '0');
      } else {
        text += digits.substr(0, intDigits);
        text += '.';
        text += digits.substr(intDigits);
      }
    }
  } else {
    text += digits[0];
    if (digits.size() > 1) {
      text += '.';
      text += digits.substr(1);
    }
    text += 'E';
    text += std::to_string(exponent);
  }
  return text;
}

std::string IntToHex(uint32_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kHex[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(text.size()) < digits) text.insert(text.begin(), '0');
  return text;
}

}  // namespace vorbel
