#include "engine/object_snap.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/numbers.h"
#include "cp932/cp932.h"

namespace vorbel::cadsim {

namespace {

double RealOf(const TDxfPair& pair) { return TryStrToFloat(TrimBlanks(pair.Value)).value_or(0); }

// The points of pairs[from, to) whose X is group `xCode` (Y and Z the
// groups 10 and 20 above it), one for every X in order; `z` where a point
// has no Z of its own.
void AddPoints(const TDxfPairs& pairs, size_t from, size_t to, int32_t xCode, double z,
               std::vector<TDxfPoint>& points) {
  bool open = false;
  for (size_t i = from; i < to; ++i) {
    const int32_t code = pairs[i].Code;
    if (code == xCode) {
      points.push_back({RealOf(pairs[i]), 0, z});
      open = true;
    } else if (open && code == xCode + 10) {
      points.back().Y = RealOf(pairs[i]);
    } else if (open && code == xCode + 20) {
      points.back().Z = RealOf(pairs[i]);
    }
  }
}

}  // namespace

std::vector<TDxfPoint> SnapPoints(const TEntity& entity) {
  std::vector<TDxfPoint> points;
  const TDxfPairs& pairs = entity.Pairs;
  size_t mainEnd = 1;
  while (mainEnd < pairs.size() && pairs[mainEnd].Code != 0) ++mainEnd;
  const std::string_view type = EntityType(entity);
  if (type == "LINE") {
    AddPoints(pairs, 1, mainEnd, 10, 0, points);
    AddPoints(pairs, 1, mainEnd, 11, 0, points);
  } else if (type == "LWPOLYLINE") {
    double elevation = 0;
    for (size_t i = 1; i < mainEnd; ++i) {
      if (pairs[i].Code == 38) elevation = RealOf(pairs[i]);
    }
    AddPoints(pairs, 1, mainEnd, 10, elevation, points);
  } else if (type == "POLYLINE") {
    // The vertices, not the polyline's own point (its elevation).
    for (size_t start = mainEnd; start < pairs.size();) {
      size_t end = start + 1;
      while (end < pairs.size() && pairs[end].Code != 0) ++end;
      if (TrimBlanks(pairs[start].Value) == "VERTEX") AddPoints(pairs, start + 1, end, 10, 0, points);
      start = end;
    }
  } else if (type == "TEXT" || type == "MTEXT" || type == "INSERT" || type == "POINT") {
    AddPoints(pairs, 1, mainEnd, 10, 0, points);
    points.resize(std::min<size_t>(points.size(), 1));
  }
  return points;
}

std::optional<TDxfPoint> SnapTypedPoint(const std::vector<TEntity>& entities, bool paperSpace,
                                        const TDxfPoint& typed, double aperture) {
  std::optional<TDxfPoint> nearest;
  double best = 0;
  for (const TEntity& entity : entities) {
    if (InPaperSpace(entity) != paperSpace) continue;
    for (const TDxfPoint& point : SnapPoints(entity)) {
      const double distance = std::hypot(point.X - typed.X, point.Y - typed.Y);
      if (distance <= aperture && (!nearest || distance < best)) {
        best = distance;
        nearest = point;
      }
    }
  }
  return nearest;
}

}  // namespace vorbel::cadsim
