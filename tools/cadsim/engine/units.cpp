#include "engine/units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "cp932/cp932.h"

namespace vorbel::cadsim {

namespace {

constexpr int32_t kMostDecimals = 8;

// Fixed notation with `decimals` decimals; no sign in front of a zero.
std::string Fixed(double value, int32_t decimals) {
  std::string text(kMostDecimals + 320, '\0');
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed,
                                    std::clamp(decimals, 0, kMostDecimals));
  text.resize(static_cast<size_t>(result.ptr - text.data()));
  if (text.starts_with('-') && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
  return text;
}

// An angle just short of a whole turn shows as 0, not as the whole turn.
std::string WholeTurnAsZero(double value, double turn, int32_t decimals) {
  const std::string text = Fixed(value, decimals);
  return text == Fixed(turn, decimals) ? Fixed(0, decimals) : text;
}

// How many steps of a degree the precision shows: whole degrees, minutes,
// seconds, then tenths of a second and on.
int64_t StepsPerDegree(int32_t precision) {
  if (precision <= 0) return 1;
  if (precision <= 2) return 60;
  int64_t steps = 3600;
  for (int32_t i = 4; i < std::min(precision, kMostDecimals); ++i) steps *= 10;
  return steps;
}

// `count` steps of StepsPerDegree(precision) as "30d", "30d15'", "30d15'20\"".
std::string DegMinSec(int64_t count, int32_t precision) {
  const int64_t steps = StepsPerDegree(precision);
  std::string text = std::to_string(count / steps) + "d";
  const int64_t rest = count % steps;
  if (steps == 1) return text;
  if (steps == 60) return text + std::to_string(rest) + "'";
  const int64_t perSecond = steps / 3600;
  text += std::to_string(rest / (60 * perSecond)) + "'" + std::to_string(rest % (60 * perSecond) / perSecond);
  if (perSecond > 1) {
    const std::string fraction = std::to_string(rest % perSecond);
    const size_t digits = std::to_string(perSecond).size() - 1;
    text += '.';
    text.append(digits - fraction.size(), '0');
    text += fraction;
  }
  return text + "\"";
}

// A bearing: the angle from north or south towards east or west.
std::string Bearing(double degrees, int32_t precision) {
  const int64_t steps = StepsPerDegree(precision);
  const int64_t quarter = 90 * steps;
  const int64_t whole = 4 * quarter;
  const int64_t count =
      (static_cast<int64_t>(std::llround(degrees * static_cast<double>(steps))) % whole + whole) % whole;
  if (count % quarter == 0) {
    static constexpr const char* kPoints[] = {"E", "N", "W", "S"};
    return kPoints[count / quarter];
  }
  if (count < quarter) return "N " + DegMinSec(quarter - count, precision) + " E";
  if (count < 2 * quarter) return "N " + DegMinSec(count - quarter, precision) + " W";
  if (count < 3 * quarter) return "S " + DegMinSec(3 * quarter - count, precision) + " W";
  return "S " + DegMinSec(count - 3 * quarter, precision) + " E";
}

}  // namespace

double RadiansToDegrees(double radians) { return radians / std::numbers::pi * 180; }

double DegreesToRadians(double degrees) { return degrees / 180 * std::numbers::pi; }

std::optional<TAngle> ReadAngle(std::string_view text) {
  text = TrimBlanks(text);
  char unit = 'd';
  if (!text.empty() && std::string_view("dDrRgG").find(text.back()) != std::string_view::npos) {
    unit = static_cast<char>(text.back() | 0x20);
    text.remove_suffix(1);
  }
  const auto value = TryStrToFloat(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  if (unit == 'r') return TAngle{RadiansToDegrees(*value), *value};
  if (unit == 'g') return TAngle{*value * 0.9, *value / 200 * std::numbers::pi};
  return TAngle{*value, DegreesToRadians(*value)};
}

std::string FormatAngle(double radians, TAngleUnits units, int32_t precision) {
  radians = std::fmod(radians, 2 * std::numbers::pi);
  if (radians < 0) radians += 2 * std::numbers::pi;
  const double degrees = RadiansToDegrees(radians);
  switch (units) {
    case TAngleUnits::DegMinSec: {
      const int64_t steps = StepsPerDegree(precision);
      const int64_t count = static_cast<int64_t>(std::llround(degrees * static_cast<double>(steps)));
      return DegMinSec(count % (360 * steps), precision);
    }
    case TAngleUnits::Grads:
      return WholeTurnAsZero(degrees / 0.9, 400, precision) + "g";
    case TAngleUnits::Radians:
      return WholeTurnAsZero(radians, 2 * std::numbers::pi, precision) + "r";
    case TAngleUnits::Surveyor:
      return Bearing(degrees, precision);
    case TAngleUnits::Degrees:
      break;
  }
  return WholeTurnAsZero(degrees, 360, precision);
}

std::string FormatLength(double value, int32_t precision) { return Fixed(value, precision); }

}  // namespace vorbel::cadsim
