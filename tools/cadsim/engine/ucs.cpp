#include "engine/ucs.h"

#include <cmath>
#include <numbers>

namespace vorbel::cadsim {

namespace {

constexpr double kRounding = 1e-10;

double Dot(const TDxfPoint& a, const TDxfPoint& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

TDxfPoint Cross(const TDxfPoint& a, const TDxfPoint& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

TDxfPoint Scaled(const TDxfPoint& a, double factor) { return {a.X * factor, a.Y * factor, a.Z * factor}; }

TDxfPoint Sum(const TDxfPoint& a, const TDxfPoint& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }

bool Near(const TDxfPoint& a, const TDxfPoint& b) {
  return std::abs(a.X - b.X) < kRounding && std::abs(a.Y - b.Y) < kRounding &&
         std::abs(a.Z - b.Z) < kRounding;
}

// The direction of unit length; an axis written with a few digits less is
// taken as it stands, so that a UCS read and written back stays the same.
TDxfPoint Unit(const TDxfPoint& a) {
  const double length = std::sqrt(Dot(a, a));
  return std::abs(length - 1) < 1e-12 ? a : Scaled(a, 1 / length);
}

TDxfPoint HeaderPoint(const TDrawing& drawing, std::string_view variable, const TDxfPoint& fallback) {
  return {drawing.HeaderReal(variable, 10).value_or(fallback.X),
          drawing.HeaderReal(variable, 20).value_or(fallback.Y),
          drawing.HeaderReal(variable, 30).value_or(fallback.Z)};
}

bool SetHeaderPoint(TDrawing& drawing, std::string_view variable, const TDxfPoint& point) {
  bool changed = drawing.SetHeaderReal(variable, 10, point.X);
  changed = drawing.SetHeaderReal(variable, 20, point.Y) || changed;
  return drawing.SetHeaderReal(variable, 30, point.Z) || changed;
}

}  // namespace

bool IsWorld(const TUcs& ucs) {
  const TUcs world;
  return Near(ucs.Origin, world.Origin) && Near(ucs.XDir, world.XDir) && Near(ucs.YDir, world.YDir);
}

TDxfPoint UcsToWorld(const TUcs& ucs, const TDxfPoint& point) {
  const TDxfPoint zDir = Cross(ucs.XDir, ucs.YDir);
  return Sum(Sum(ucs.Origin, Scaled(ucs.XDir, point.X)),
             Sum(Scaled(ucs.YDir, point.Y), Scaled(zDir, point.Z)));
}

double UcsAngle(const TUcs& ucs) { return std::atan2(ucs.XDir.Y, ucs.XDir.X) / std::numbers::pi * 180; }

TUcs TurnedAboutZ(const TUcs& ucs, double degrees) {
  double c = std::cos(degrees / 180 * std::numbers::pi);
  double s = std::sin(degrees / 180 * std::numbers::pi);
  // Quarter turns exactly, so that turning back returns the same axes.
  if (std::fmod(degrees, 90) == 0) {
    const double quarters = std::fmod(std::fmod(degrees / 90, 4) + 4, 4);
    c = quarters == 0 ? 1 : quarters == 2 ? -1 : 0;
    s = quarters == 1 ? 1 : quarters == 3 ? -1 : 0;
  }
  TUcs turned = ucs;
  turned.XDir = Sum(Scaled(ucs.XDir, c), Scaled(ucs.YDir, s));
  turned.YDir = Sum(Scaled(ucs.XDir, -s), Scaled(ucs.YDir, c));
  return turned;
}

TUcs DrawingUcs(const TDrawing& drawing) {
  const TUcs world;
  TUcs ucs;
  ucs.Origin = HeaderPoint(drawing, "$UCSORG", world.Origin);
  const TDxfPoint xDir = HeaderPoint(drawing, "$UCSXDIR", world.XDir);
  const TDxfPoint yDir = HeaderPoint(drawing, "$UCSYDIR", world.YDir);
  const TDxfPoint zDir = Cross(xDir, yDir);
  if (Dot(zDir, zDir) < kRounding) return ucs;
  ucs.XDir = Unit(xDir);
  // The Y axis square to the X axis, as the CAD program makes it.
  ucs.YDir = Unit(Cross(Unit(zDir), ucs.XDir));
  if (Near(ucs.YDir, Unit(yDir))) ucs.YDir = Unit(yDir);
  return ucs;
}

bool SetDrawingUcs(TDrawing& drawing, const TUcs& ucs) {
  bool changed = SetHeaderPoint(drawing, "$UCSORG", ucs.Origin);
  changed = SetHeaderPoint(drawing, "$UCSXDIR", ucs.XDir) || changed;
  return SetHeaderPoint(drawing, "$UCSYDIR", ucs.YDir) || changed;
}

}  // namespace vorbel::cadsim
