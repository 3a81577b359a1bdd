// Angles and lengths as the command line reads and shows them: typed angles
// with their unit suffix, and values shown in the drawing's units ($AUNITS,
// $AUPREC, $LUPREC).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorbel::cadsim {

// A typed angle in both measures, each as exact as the typed unit allows
// ("90" is a quarter turn in radians too, "1.5707963267948966r" keeps every
// digit in radians).
struct TAngle {
  double Degrees = 0;
  double Radians = 0;
};

// A number of degrees, or a number with the suffix "d" (degrees), "r"
// (radians) or "g" (grads); nullopt for anything else.
std::optional<TAngle> ReadAngle(std::string_view text);

double RadiansToDegrees(double radians);
double DegreesToRadians(double degrees);

// The angle units of $AUNITS.
enum class TAngleUnits : int32_t { Degrees, DegMinSec, Grads, Radians, Surveyor };

// An angle (radians, measured counter-clockwise from east) in the angle
// units with `precision` ($AUPREC): "90", "90.00", "90d0'", "100g",
// "1.5708r", "N", "N 30d E". Degrees, minutes and seconds, and surveyor's
// bearings, show whole degrees for precision 0, minutes for 1 and 2,
// seconds for 3 and 4, and decimals of a second beyond.
std::string FormatAngle(double radians, TAngleUnits units, int32_t precision);

// A length with `precision` decimals ($LUPREC): "7.5000".
std::string FormatLength(double value, int32_t precision);

}  // namespace vorbel::cadsim
