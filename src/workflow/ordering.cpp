#include "workflow/ordering.h"

#include <cmath>
#include <numbers>

#include "workflow/ordering_exact.h"

namespace vorbel {

void SortByCoords(TTextEnts& textEnts) {
  if (textEnts.size() < 2) return;
  ApplyOrder(textEnts, CoordsOrder(textEnts).Order);
}

void SortByIndex(TTextEnts& textEnts) {
  if (textEnts.size() < 2) return;
  ApplyOrder(textEnts, IndexOrder(textEnts));
}

void CalcPitch(const TTextEnts& textEnts, double& dX, double& dY) {
  if (textEnts.empty()) {
    // No text to continue from: no step.
    dX = 0;
    dY = 0;
    return;
  }
  if (textEnts.size() == 1) {
    const TTextEnt& last = textEnts.back();
    const double r = DegToRad(last.Rotation);
    dX = std::sin(r) * last.Height * 1.5;
    dY = std::cos(r) * last.Height * -1.5;
    return;
  }
  const TDxfPoint& p = RefPoint(textEnts[textEnts.size() - 1]);
  const TDxfPoint& q = RefPoint(textEnts[textEnts.size() - 2]);
  dX = p.X - q.X;
  dY = p.Y - q.Y;
}

double DegToRad(double deg) { return deg * std::numbers::pi / 180; }

}  // namespace vorbel
