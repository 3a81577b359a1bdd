#include "engine/geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "base/numbers.h"
#include "cp932/cp932.h"

namespace vorbel::cadsim {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr int kCircleSegments = 64;
// The width of a half-width character as a share of the text height, for
// telling where a text lies.
constexpr double kCharWidth = 0.6;

struct TPart {
  size_t start;
  size_t end;
  std::string type;
};

std::vector<TPart> Parts(const TDxfPairs& pairs) {
  std::vector<TPart> parts;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (pairs[i].Code != 0) continue;
    if (!parts.empty()) parts.back().end = i;
    parts.push_back({i, pairs.size(), std::string(TrimBlanks(pairs[i].Value))});
  }
  return parts;
}

double ValueOf(const TDxfPair& pair) { return TryStrToFloat(TrimBlanks(pair.Value)).value_or(0); }

std::optional<double> RealIn(const TDxfPairs& pairs, const TPart& part, int32_t code) {
  for (size_t i = part.start + 1; i < part.end; ++i) {
    if (pairs[i].Code == code) return TryStrToFloat(TrimBlanks(pairs[i].Value));
  }
  return std::nullopt;
}

std::optional<int32_t> IntIn(const TDxfPairs& pairs, const TPart& part, int32_t code) {
  for (size_t i = part.start + 1; i < part.end; ++i) {
    if (pairs[i].Code == code) return TryStrToInt(TrimBlanks(pairs[i].Value));
  }
  return std::nullopt;
}

// Every point of the part with the X group `xCode`, in order.
std::vector<TPoint2> PointsIn(const TDxfPairs& pairs, const TPart& part, int32_t xCode) {
  std::vector<TPoint2> points;
  for (size_t i = part.start + 1; i < part.end; ++i) {
    if (pairs[i].Code == xCode) {
      points.push_back({ValueOf(pairs[i]), 0});
    } else if (pairs[i].Code == xCode + 10 && !points.empty()) {
      points.back().Y = ValueOf(pairs[i]);
    }
  }
  return points;
}

std::optional<TPoint2> PointIn(const TDxfPairs& pairs, const TPart& part, int32_t xCode) {
  const std::vector<TPoint2> points = PointsIn(pairs, part, xCode);
  if (points.empty()) return std::nullopt;
  return points.front();
}

std::vector<TPoint2> ArcPath(TPoint2 center, double radius, double fromDeg, double toDeg) {
  while (toDeg <= fromDeg) toDeg += 360;
  const int steps = std::max(2, static_cast<int>(std::ceil((toDeg - fromDeg) / 360 * kCircleSegments)));
  std::vector<TPoint2> path;
  for (int k = 0; k <= steps; ++k) {
    const double angle = (fromDeg + (toDeg - fromDeg) * k / steps) * kDegree;
    path.push_back({center.X + radius * std::cos(angle), center.Y + radius * std::sin(angle)});
  }
  return path;
}

void AddText(TOutline& outline, const TDxfPairs& pairs, const TPart& part) {
  const auto at = PointIn(pairs, part, 10);
  if (!at) return;
  outline.HasText = true;
  outline.TextAt = *at;
  outline.TextHeight = RealIn(pairs, part, 40).value_or(1);
  outline.TextAngle = RealIn(pairs, part, 50).value_or(0);
  if (part.type == "MTEXT" && !RealIn(pairs, part, 50)) {
    if (const auto direction = PointIn(pairs, part, 11)) {
      outline.TextAngle = std::atan2(direction->Y, direction->X) / kDegree;
    }
  }
  std::string text;
  for (size_t i = part.start + 1; i < part.end; ++i) {
    if (pairs[i].Code == 3) text += pairs[i].Value;
  }
  for (size_t i = part.start + 1; i < part.end; ++i) {
    if (pairs[i].Code == 1) text += pairs[i].Value;
  }
  outline.Text = std::move(text);
}

// The corners of a text's box, counter-clockwise from its insertion point.
std::vector<TPoint2> TextBox(const TOutline& outline) {
  const double width =
      std::max<double>(1, static_cast<double>(outline.Text.size())) * kCharWidth * outline.TextHeight;
  const double height = outline.TextHeight;
  const double c = std::cos(outline.TextAngle * kDegree);
  const double s = std::sin(outline.TextAngle * kDegree);
  const TPoint2 o = outline.TextAt;
  auto at = [&](double u, double v) { return TPoint2{o.X + u * c - v * s, o.Y + u * s + v * c}; };
  return {at(0, 0), at(width, 0), at(width, height), at(0, height), at(0, 0)};
}

double SegmentDistance(TPoint2 p, TPoint2 a, TPoint2 b) {
  const double dx = b.X - a.X;
  const double dy = b.Y - a.Y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

double PathDistance(TPoint2 p, const std::vector<TPoint2>& path) {
  double best = std::numeric_limits<double>::infinity();
  if (path.size() == 1) best = std::hypot(p.X - path[0].X, p.Y - path[0].Y);
  for (size_t i = 1; i < path.size(); ++i) best = std::min(best, SegmentDistance(p, path[i - 1], path[i]));
  return best;
}

bool InsideTextBox(TPoint2 p, const TOutline& outline) {
  const double c = std::cos(outline.TextAngle * kDegree);
  const double s = std::sin(outline.TextAngle * kDegree);
  const double dx = p.X - outline.TextAt.X;
  const double dy = p.Y - outline.TextAt.Y;
  const double u = dx * c + dy * s;
  const double v = -dx * s + dy * c;
  const double width =
      std::max<double>(1, static_cast<double>(outline.Text.size())) * kCharWidth * outline.TextHeight;
  return u >= 0 && u <= width && v >= 0 && v <= outline.TextHeight;
}

double OutlineDistance(TPoint2 p, const TOutline& outline) {
  double best = std::numeric_limits<double>::infinity();
  for (const auto& path : outline.Paths) best = std::min(best, PathDistance(p, path));
  for (const TPoint2& marker : outline.Markers)
    best = std::min(best, std::hypot(p.X - marker.X, p.Y - marker.Y));
  if (outline.HasText) {
    best = InsideTextBox(p, outline) ? 0 : std::min(best, PathDistance(p, TextBox(outline)));
  }
  return best;
}

}  // namespace

TOutline EntityOutline(const TEntity& entity) {
  TOutline outline;
  const TDxfPairs& pairs = entity.Pairs;
  const std::vector<TPart> parts = Parts(pairs);
  if (parts.empty()) return outline;
  const TPart& part = parts.front();
  const std::string_view type = part.type;
  if (type == "LINE") {
    const auto a = PointIn(pairs, part, 10);
    const auto b = PointIn(pairs, part, 11);
    if (a && b) outline.Paths.push_back({*a, *b});
  } else if (type == "LWPOLYLINE" || type == "POLYLINE") {
    std::vector<TPoint2> path;
    if (type == "LWPOLYLINE") {
      path = PointsIn(pairs, part, 10);
    } else {
      for (size_t k = 1; k < parts.size(); ++k) {
        if (parts[k].type != "VERTEX") continue;
        if (const auto vertex = PointIn(pairs, parts[k], 10)) path.push_back(*vertex);
      }
    }
    if ((IntIn(pairs, part, 70).value_or(0) & 1) != 0 && !path.empty()) path.push_back(path.front());
    if (!path.empty()) outline.Paths.push_back(std::move(path));
  } else if (type == "CIRCLE" || type == "ARC") {
    const auto center = PointIn(pairs, part, 10);
    const double radius = RealIn(pairs, part, 40).value_or(0);
    const double from = type == "ARC" ? RealIn(pairs, part, 50).value_or(0) : 0;
    const double to = type == "ARC" ? RealIn(pairs, part, 51).value_or(360) : 360;
    if (center) outline.Paths.push_back(ArcPath(*center, radius, from, to));
  } else if (type == "ELLIPSE") {
    const auto center = PointIn(pairs, part, 10);
    const auto major = PointIn(pairs, part, 11);
    if (center && major) {
      const double ratio = RealIn(pairs, part, 40).value_or(1);
      double from = RealIn(pairs, part, 41).value_or(0);
      double to = RealIn(pairs, part, 42).value_or(2 * std::numbers::pi);
      while (to <= from) to += 2 * std::numbers::pi;
      std::vector<TPoint2> path;
      for (int k = 0; k <= kCircleSegments; ++k) {
        const double t = from + (to - from) * k / kCircleSegments;
        const double u = std::cos(t);
        const double v = ratio * std::sin(t);
        path.push_back({center->X + u * major->X - v * major->Y, center->Y + u * major->Y + v * major->X});
      }
      outline.Paths.push_back(std::move(path));
    }
  } else if (type == "SOLID" || type == "TRACE" || type == "3DFACE") {
    const auto a = PointIn(pairs, part, 10);
    const auto b = PointIn(pairs, part, 11);
    const auto c = PointIn(pairs, part, 12);
    const auto d = PointIn(pairs, part, 13);
    if (a && b && c) {
      // SOLID and TRACE take their corners in the order 1, 2, 4, 3.
      const TPoint2 last = d.value_or(*c);
      if (type == "3DFACE") {
        outline.Paths.push_back({*a, *b, *c, last, *a});
      } else {
        outline.Paths.push_back({*a, *b, last, *c, *a});
      }
    }
  } else if (type == "SPLINE") {
    std::vector<TPoint2> path = PointsIn(pairs, part, 11);
    if (path.empty()) path = PointsIn(pairs, part, 10);
    if (!path.empty()) outline.Paths.push_back(std::move(path));
  } else if (type == "TEXT" || type == "MTEXT" || type == "ATTRIB" || type == "ATTDEF") {
    AddText(outline, pairs, part);
  } else if (const auto at = PointIn(pairs, part, 10)) {
    outline.Markers.push_back(*at);
  }
  return outline;
}

std::optional<TDxfPoint> EntityPosition(const TEntity& entity) {
  const std::vector<TPart> parts = Parts(entity.Pairs);
  if (parts.empty()) return std::nullopt;
  const TPart& part = parts.front();
  const auto x = RealIn(entity.Pairs, part, 10);
  if (!x) return std::nullopt;
  return TDxfPoint{*x, RealIn(entity.Pairs, part, 20).value_or(0),
                   RealIn(entity.Pairs, part, 30).value_or(0)};
}

std::string EntityString(const TEntity& entity) {
  const std::string_view type = EntityType(entity);
  if (type != "TEXT" && type != "MTEXT" && type != "ATTRIB" && type != "ATTDEF") return {};
  const std::vector<TPart> parts = Parts(entity.Pairs);
  for (size_t i = 1; i < parts.front().end; ++i) {
    if (entity.Pairs[i].Code == 1) return entity.Pairs[i].Value;
  }
  return {};
}

size_t NearestEntity(const std::vector<TEntity>& entities, TPoint2 at, double tolerance) {
  size_t best = std::string::npos;
  double bestDistance = tolerance;
  for (size_t i = 0; i < entities.size(); ++i) {
    const double distance = OutlineDistance(at, EntityOutline(entities[i]));
    if (distance <= bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

bool DrawingExtents(const std::vector<TEntity>& entities, TPoint2& low, TPoint2& high) {
  bool any = false;
  auto add = [&](TPoint2 p) {
    if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return;
    if (!any) {
      low = high = p;
      any = true;
    }
    low = {std::min(low.X, p.X), std::min(low.Y, p.Y)};
    high = {std::max(high.X, p.X), std::max(high.Y, p.Y)};
  };
  for (const TEntity& entity : entities) {
    const TOutline outline = EntityOutline(entity);
    for (const auto& path : outline.Paths) std::for_each(path.begin(), path.end(), add);
    std::for_each(outline.Markers.begin(), outline.Markers.end(), add);
    if (outline.HasText) {
      const std::vector<TPoint2> box = TextBox(outline);
      std::for_each(box.begin(), box.end(), add);
    }
  }
  return any;
}

namespace {

bool IsDirection(std::string_view type, int32_t xCode) {
  return xCode == 11 && (type == "MTEXT" || type == "ELLIPSE" || type == "XLINE" || type == "RAY");
}

bool IsLength(std::string_view type, int32_t code) {
  if (type == "TEXT" || type == "ATTRIB" || type == "ATTDEF" || type == "CIRCLE" || type == "ARC") {
    return code == 40;
  }
  if (type == "MTEXT") return code == 40 || code == 41;
  if (type == "INSERT") return code == 41 || code == 42 || code == 43;
  if (type == "LWPOLYLINE") return code == 40 || code == 41 || code == 43;
  return false;
}

bool IsAngle(std::string_view type, int32_t code) {
  if (type == "TEXT" || type == "ATTRIB" || type == "ATTDEF" || type == "INSERT" || type == "MTEXT" ||
      type == "SHAPE") {
    return code == 50;
  }
  if (type == "ARC") return code == 50 || code == 51;
  return false;
}

std::string Real(double value) { return FormatDxfReal(value, kMaxDecimals); }

}  // namespace

void TransformEntity(TDxfPairs& pairs, const TDxfPoint& base, const TPlacement& placement) {
  const TDxfPoint& to = placement.Point;
  const double scale = placement.Scale;
  if (to.X == base.X && to.Y == base.Y && to.Z == base.Z && scale == 1 && placement.Rotation == 0) return;
  const double c = std::cos(placement.Rotation * kDegree);
  const double s = std::sin(placement.Rotation * kDegree);
  const std::vector<TPart> parts = Parts(pairs);
  // Back to front, so that a pair added to one part keeps the earlier parts in place.
  for (size_t k = parts.size(); k-- > 0;) {
    const TPart& part = parts[k];
    const std::string& type = part.type;
    bool hasAngle = false;
    for (size_t i = part.start + 1; i < part.end; ++i) {
      const int32_t code = pairs[i].Code;
      if (code >= 10 && code <= 18) {
        size_t yAt = 0;
        size_t zAt = 0;
        for (size_t j = i + 1; j < part.end && pairs[j].Code != code; ++j) {
          if (pairs[j].Code == code + 10 && yAt == 0) yAt = j;
          if (pairs[j].Code == code + 20 && zAt == 0) zAt = j;
        }
        // A hatch's elevation point carries only its height.
        if (yAt == 0 || (type == "HATCH" && zAt != 0)) continue;
        const bool direction = IsDirection(type, code);
        const double dx = (ValueOf(pairs[i]) - (direction ? 0 : base.X)) * scale;
        const double dy = (ValueOf(pairs[yAt]) - (direction ? 0 : base.Y)) * scale;
        pairs[i].Value = Real((direction ? 0 : to.X) + dx * c - dy * s);
        pairs[yAt].Value = Real((direction ? 0 : to.Y) + dx * s + dy * c);
        if (zAt != 0 && !direction) pairs[zAt].Value = Real(to.Z + (ValueOf(pairs[zAt]) - base.Z) * scale);
      } else if (IsLength(type, code)) {
        pairs[i].Value = Real(ValueOf(pairs[i]) * scale);
      } else if (IsAngle(type, code)) {
        hasAngle = hasAngle || code == 50;
        pairs[i].Value = Real(ValueOf(pairs[i]) + placement.Rotation);
      }
    }
    if (!hasAngle && placement.Rotation != 0 && IsAngle(type, 50) && type != "ARC") {
      size_t at = part.end;
      for (size_t i = part.start + 1; i < part.end; ++i) {
        if (pairs[i].Code == 1) at = i + 1;
      }
      pairs.insert(pairs.begin() + static_cast<std::ptrdiff_t>(at), TDxfPair{50, Real(placement.Rotation)});
    }
  }
}

}  // namespace vorbel::cadsim
