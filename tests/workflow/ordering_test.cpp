// The coordinate and file orders against the exchange sorts run step by step
// on whole records, on random layouts; the listed cases; the pitch.
#include "workflow/ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "workflow/ordering_exact.h"

namespace vorbel {
namespace {

// ---------------------------------------------------------------------------
// The references: the exchange sorts as the program's users know them, on
// whole records. The coordinate sort orders each record by the point the
// test placed it at (`placed`, by Index), not by RefPoint: ordering by the
// wrong point must show.

bool ReferenceSwaps(bool row, const TDxfPoint& p, const TDxfPoint& q) {
  if (row) {
    if (std::fabs(p.X - q.X) > 0.01) return p.X > q.X;
    return p.Y < q.Y;
  }
  if (std::fabs(p.Y - q.Y) > 0.01) return p.Y < q.Y;
  return p.X > q.X;
}

void ReferenceSortByCoords(TTextEnts& ents, const std::vector<TDxfPoint>& placed) {
  const size_t n = ents.size();
  if (n < 2) return;
  const auto at = [&](size_t i) { return placed[static_cast<size_t>(ents[i].Index)]; };
  double maxDX = 0;
  double maxDY = 0;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      const TDxfPoint p = at(i);
      const TDxfPoint q = at(j);
      if (std::fabs(p.X - q.X) > maxDX) maxDX = std::fabs(p.X - q.X);
      if (std::fabs(p.Y - q.Y) > maxDY) maxDY = std::fabs(p.Y - q.Y);
    }
  }
  const bool row = maxDX > maxDY;
  for (size_t i = 0; i + 1 < n; ++i) {
    TDxfPoint p = at(i);
    for (size_t j = i + 1; j < n; ++j) {
      if (ReferenceSwaps(row, p, at(j))) {
        std::swap(ents[i], ents[j]);
        p = at(i);
      }
    }
  }
}

template <typename TLess>
void ReferenceExchangeSort(std::vector<size_t>& items, TLess less) {
  for (size_t i = 0; i + 1 < items.size(); ++i) {
    for (size_t j = i + 1; j < items.size(); ++j) {
      if (less(items[j], items[i])) std::swap(items[i], items[j]);
    }
  }
}

void ReferenceSortByIndex(TTextEnts& ents) {
  for (size_t i = 0; i + 1 < ents.size(); ++i) {
    for (size_t j = i + 1; j < ents.size(); ++j) {
      if (ents[i].Index > ents[j].Index) std::swap(ents[i], ents[j]);
    }
  }
}

std::string Describe(const TTextEnt& e) {
  std::ostringstream out;
  out.precision(17);
  out << "#" << e.Index << " '" << e.Text << "' " << e.Handle << " ins(" << e.InsPoint.X << ", "
      << e.InsPoint.Y << ") align(" << e.AlignPoint.X << ", " << e.AlignPoint.Y << ") just " << e.HJust << "/"
      << e.VJust;
  return out.str();
}

bool SamePoint(const TDxfPoint& a, const TDxfPoint& b) {
  return std::memcmp(&a, &b, sizeof(TDxfPoint)) == 0;  // NaN and -0.0 too
}

bool SameRecord(const TTextEnt& a, const TTextEnt& b) {
  return a.Index == b.Index && a.Handle == b.Handle && a.Text == b.Text &&
         SamePoint(a.InsPoint, b.InsPoint) && SamePoint(a.AlignPoint, b.AlignPoint) && a.Height == b.Height &&
         a.Rotation == b.Rotation && a.HJust == b.HJust && a.VJust == b.VJust;
}

// Whole records, or the first place they differ.
std::string Difference(const TTextEnts& actual, const TTextEnts& expected) {
  if (actual.size() != expected.size()) return "different lengths";
  for (size_t i = 0; i < actual.size(); ++i) {
    if (!SameRecord(actual[i], expected[i])) {
      return "at " + std::to_string(i) + ": " + Describe(actual[i]) + "\n   expected " +
             Describe(expected[i]);
    }
  }
  return "";
}

bool IsPermutation(const TOrder& order) {
  TOrder sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size(); ++i) {
    if (sorted[i] != i) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Random layouts.

enum class TLayout { Row, Column, Grid, NearTies, Stacked, Straddle, Drift, Zeros, Huge, Count };

const char* LayoutName(TLayout layout) {
  static const char* const names[] = {"row",      "column", "grid",  "near ties", "stacked",
                                      "straddle", "drift",  "zeros", "huge"};
  return names[static_cast<size_t>(layout)];
}

// Layouts whose comparison is always a strict weak order: they must never
// need the step-by-step sort.
bool AlwaysOrdered(TLayout layout) {
  return layout == TLayout::Row || layout == TLayout::Column || layout == TLayout::Grid ||
         layout == TLayout::NearTies || layout == TLayout::Stacked;
}

class TLayoutMaker {
 public:
  explicit TLayoutMaker(uint64_t seed) : random_(seed) {}

  // Records on `layout`; `points` gets the point each is placed at, by Index.
  TTextEnts Make(TLayout layout, size_t n, std::vector<TDxfPoint>& points) {
    points.clear();
    const double px = Pick({0.5, 1, 2.5, 10, 7.25});
    const double py = Pick({0.5, 1, 2.5, 10, 4.75});
    const double x0 = Real(-1000, 1000);
    const double y0 = Real(-1000, 1000);
    const size_t cols = 1 + Below(8);
    for (size_t i = 0; i < n; ++i) {
      const double d = static_cast<double>(i);
      const double c = static_cast<double>(i % cols);
      const double r = static_cast<double>(i / cols);
      switch (layout) {
        case TLayout::Row:
          points.push_back({x0 + d * px, y0 + Jitter(0.003), 0});
          break;
        case TLayout::Column:
          points.push_back({x0 + Jitter(0.003), y0 - d * py, 0});
          break;
        case TLayout::Grid:
          points.push_back({x0 + c * px, y0 - r * py, 0});
          break;
        case TLayout::NearTies:
          points.push_back({x0 + c * px + Jitter(0.0049), y0 - r * py + Jitter(0.0049), 0});
          break;
        case TLayout::Stacked: {
          const size_t spot = Below(1 + n / 3);
          points.push_back(
              {x0 + static_cast<double>(spot % cols) * px, y0 - static_cast<double>(spot / cols) * py, 0});
          break;
        }
        case TLayout::Straddle: {
          static const double values[] = {0,    0.01, 0.02, 0.03, 0.1,   0.11,
                                          0.12, 0.13, 1.01, 1.02, 0.005, 0.015};
          points.push_back({Pick(values), Pick(values), 0});
          break;
        }
        case TLayout::Drift:
          points.push_back({x0 + c * 0.004, y0 + d * Real(0.002, 0.008), 0});
          break;
        case TLayout::Zeros: {
          static const double values[] = {0.0, -0.0, 5, -5, 0.005, -0.005, 0.0, -0.0};
          points.push_back({Pick(values), Pick(values), 0});
          break;
        }
        case TLayout::Huge: {
          static const double values[] = {1e308, -1e308, 1.7e308, -1.7e308, 0, 1, 1e308, -0.0};
          points.push_back({Pick(values), Pick(values), 0});
          break;
        }
        case TLayout::Count:
          break;
      }
    }
    TTextEnts ents;
    for (size_t i = 0; i < n; ++i) ents.push_back(Record(i, points[i]));
    const size_t arrangement = Below(3);
    if (arrangement == 1) std::reverse(ents.begin(), ents.end());
    if (arrangement == 2) std::shuffle(ents.begin(), ents.end(), random_);
    return ents;
  }

  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

 private:
  double Real(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
  double Jitter(double size) { return Below(4) == 0 ? 0 : Real(-size, size); }
  template <size_t N>
  double Pick(const double (&values)[N]) {
    return values[Below(N)];
  }
  double Pick(std::initializer_list<double> values) { return values.begin()[Below(values.size())]; }

  // A record at `point`; the point it is not ordered by lies elsewhere, so
  // ordering by the wrong one shows.
  TTextEnt Record(size_t i, const TDxfPoint& point) {
    TTextEnt ent;
    ent.Index = static_cast<int32_t>(i);
    ent.Handle = std::to_string(100 + i);
    ent.Text = "T" + std::to_string(Below(1000));
    const TDxfPoint elsewhere = {Real(-50, 50), Real(-50, 50), Real(-1, 1)};
    bool byAlignPoint = true;
    switch (Below(4)) {
      case 0:
        ent.HJust = 1;  // centred
        break;
      case 1:
        ent.VJust = 2;  // left-aligned, middle
        break;
      case 2:
        ent.HJust = 4, ent.VJust = -4;  // justifications adding up to 0
        byAlignPoint = false;
        break;
      default:
        byAlignPoint = false;
        break;
    }
    if (byAlignPoint) {
      ent.AlignPoint = point;
      ent.InsPoint = elsewhere;
    } else {
      ent.InsPoint = point;
      ent.AlignPoint = elsewhere;
    }
    return ent;
  }

  std::mt19937_64 random_;
};

TEST(SortByCoords, GivesTheExchangeSortsOrderOnRandomLayouts) {
  constexpr size_t kLayouts = static_cast<size_t>(TLayout::Count);
  std::vector<size_t> literal(kLayouts, 0);
  std::vector<size_t> ordered(kLayouts, 0);
  TLayoutMaker maker(20240611);
  for (int round = 0; round < 4000; ++round) {
    const auto layout = static_cast<TLayout>(round % static_cast<int>(kLayouts));
    const size_t n = round % 75 == 0 ? 100 + maker.Below(150) : maker.Below(40);
    std::vector<TDxfPoint> placed;
    const TTextEnts input = maker.Make(layout, n, placed);
    TTextEnts expected = input;
    ReferenceSortByCoords(expected, placed);
    const TCoordsOrder order = CoordsOrder(input);
    const TOrder steppedOrder = LiteralCoordsOrder(input);
    ASSERT_TRUE(IsPermutation(order.Order) && IsPermutation(steppedOrder)) << "round " << round;
    TTextEnts actual = input;
    SortByCoords(actual);
    const std::string difference = Difference(actual, expected);
    ASSERT_EQ(difference, "") << LayoutName(layout) << ", round " << round << ", " << n << " texts";
    // The step-by-step sort of the program, whichever way SortByCoords went.
    TTextEnts stepped = input;
    ApplyOrder(stepped, steppedOrder);
    ASSERT_EQ(Difference(stepped, expected), "") << LayoutName(layout) << ", round " << round;
    if (n >= 2) ++(order.Literal ? literal : ordered)[static_cast<size_t>(layout)];
  }
  for (size_t k = 0; k < kLayouts; ++k) {
    const auto layout = static_cast<TLayout>(k);
    SCOPED_TRACE(LayoutName(layout));
    EXPECT_GT(ordered[k], 0u);
    if (AlwaysOrdered(layout)) {
      EXPECT_EQ(literal[k], 0u);
    }
  }
  EXPECT_GT(literal[static_cast<size_t>(TLayout::Straddle)], 0u);
  EXPECT_GT(literal[static_cast<size_t>(TLayout::Drift)], 0u);
}

// Coordinates the number reading never gives: the step-by-step sort decides.
TEST(SortByCoords, NonFiniteCoordinatesGiveTheExchangeSortsOrder) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::vector<TDxfPoint>> layouts = {
      {{0, 0, 0}, {kNan, 5, 0}, {3, 1, 0}, {1, kNan, 0}},
      {{kInf, 0, 0}, {0, 0, 0}, {-kInf, 0, 0}, {5, 1, 0}},
      {{0, kInf, 0}, {0, kInf, 0}, {1, 0, 0}, {kNan, kNan, 0}, {2, -kInf, 0}},
  };
  for (const auto& points : layouts) {
    TTextEnts ents;
    for (const TDxfPoint& p : points) {
      TTextEnt ent;
      ent.Index = static_cast<int32_t>(ents.size());
      ent.InsPoint = p;
      ents.push_back(ent);
    }
    TTextEnts expected = ents;
    ReferenceSortByCoords(expected, points);
    EXPECT_TRUE(CoordsOrder(ents).Literal);
    SortByCoords(ents);
    EXPECT_EQ(Difference(ents, expected), "");
  }
}

// Records of equal rank are carried past each other by the exchanges.
TEST(ExchangeSortOrder, FollowsTheExchangeSortWithTies) {
  std::mt19937_64 random(7);
  for (int round = 0; round < 20000; ++round) {
    const size_t n = std::uniform_int_distribution<size_t>(0, 30)(random);
    const size_t distinct = std::uniform_int_distribution<size_t>(1, std::max<size_t>(n, 1))(random);
    std::vector<size_t> ranks(n);
    for (size_t& r : ranks) r = std::uniform_int_distribution<size_t>(0, distinct - 1)(random);
    std::vector<size_t> expected(n);
    for (size_t i = 0; i < n; ++i) expected[i] = i;
    ReferenceExchangeSort(expected, [&](size_t a, size_t b) { return ranks[a] < ranks[b]; });
    ASSERT_EQ(ExchangeSortOrder(ranks), expected) << "round " << round;
  }
}

TEST(SortByIndex, GivesTheExchangeSortsOrder) {
  std::mt19937_64 random(11);
  for (int round = 0; round < 3000; ++round) {
    const size_t n = std::uniform_int_distribution<size_t>(0, 40)(random);
    // File order shuffled; every other round some Index values twice.
    const bool duplicates = round % 2 == 1;
    TTextEnts ents(n);
    for (size_t i = 0; i < n; ++i) {
      ents[i].Index = static_cast<int32_t>(duplicates ? random() % (n / 2 + 1) : i);
      ents[i].Text = "L" + std::to_string(i);
    }
    std::shuffle(ents.begin(), ents.end(), random);
    TTextEnts expected = ents;
    ReferenceSortByIndex(expected);
    SortByIndex(ents);
    ASSERT_EQ(Difference(ents, expected), "") << "round " << round;
  }
}

// ---------------------------------------------------------------------------
// The listed cases.

TTextEnt At(double x, double y) {
  TTextEnt ent;
  ent.InsPoint = {x, y, 0};
  return ent;
}

TTextEnt Centred(double insX, double insY, double alignX, double alignY) {
  TTextEnt ent = At(insX, insY);
  ent.HJust = 1;
  ent.AlignPoint = {alignX, alignY, 0};
  return ent;
}

// Left-aligned and vertically centred (72 = 0, 73 = 2): its alignment point
// lies half its height above its insertion point.
TTextEnt MiddleLeft(double x, double alignY, double height) {
  TTextEnt ent = At(x, alignY - height / 2);
  ent.VJust = 2;
  ent.Height = height;
  ent.AlignPoint = {x, alignY, 0};
  return ent;
}

TEST(SortByCoords, ListedCases) {
  struct TCase {
    const char* name;
    TTextEnts records;              // in file order
    std::vector<int32_t> expected;  // file positions in the new order
    double dX;
    double dY;
  };
  const std::vector<TCase> cases = {
      {"column", {At(0, 0), At(0, 10), At(0, 5)}, {1, 2, 0}, 0, -5},
      {"row with a point 0.005 off the line", {At(20, 0), At(0, 0), At(10, 0.005)}, {1, 2, 0}, 10, -0.005},
      {"level within 0.01 in X, upper first", {At(0, 0), At(0.005, 3), At(10, 0)}, {1, 0, 2}, 10, 0},
      {"equal extents make a column", {At(0, 0), At(5, 5)}, {1, 0}, -5, -5},
      {"centred text by its alignment point", {At(10, 0), Centred(100, 0, 0, 0), At(5, 0)}, {1, 2, 0}, 5, 0},
      // By the insertion points (-8, -7, -1) the order would be 2, 1, 0 with dY -1.
      {"middle-left texts of mixed heights by their alignment points",
       {MiddleLeft(0, -3, 10), MiddleLeft(0, -6, 2), MiddleLeft(0, 0, 2)},
       {2, 0, 1},
       0,
       -3},
      {"side by side within 0.01 in Y, left first", {At(4, 2.004), At(1, 2), At(0, 9)}, {2, 1, 0}, 3, 0.004},
      {"two texts", {At(3, 0), At(1, 0)}, {1, 0}, 2, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTextEnts ents = c.records;
    for (size_t i = 0; i < ents.size(); ++i) ents[i].Index = static_cast<int32_t>(i);
    SortByCoords(ents);
    std::vector<int32_t> order;
    for (const TTextEnt& ent : ents) order.push_back(ent.Index);
    EXPECT_EQ(order, c.expected);
    double dX = 0;
    double dY = 0;
    CalcPitch(ents, dX, dY);
    EXPECT_NEAR(dX, c.dX, 1e-12);
    EXPECT_NEAR(dY, c.dY, 1e-12);
    // File order comes back, and the coordinate order again after it.
    SortByIndex(ents);
    for (size_t i = 0; i < ents.size(); ++i) EXPECT_EQ(ents[i].Index, static_cast<int32_t>(i));
    SortByCoords(ents);
    order.clear();
    for (const TTextEnt& ent : ents) order.push_back(ent.Index);
    EXPECT_EQ(order, c.expected);
  }
}

TEST(SortByCoords, NoneOrOneRecordStays) {
  TTextEnts none;
  SortByCoords(none);
  SortByIndex(none);
  EXPECT_TRUE(none.empty());
  TTextEnts one = {At(3, 4)};
  one[0].Index = 5;
  SortByCoords(one);
  SortByIndex(one);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].Index, 5);
}

// ---------------------------------------------------------------------------
// The pitch.

TEST(CalcPitch, OneRecordOrTheLastTwo) {
  const auto text = [](double height, double rotation) {
    TTextEnt ent = At(7, 8);
    ent.Height = height;
    ent.Rotation = rotation;
    return ent;
  };
  struct TCase {
    const char* name;
    TTextEnts records;
    double dX;
    double dY;
  };
  const std::vector<TCase> cases = {
      {"one, height 2.5", {text(2.5, 0)}, 0, -3.75},
      {"one, turned 90 degrees", {text(2.5, 90)}, 3.75, 0},
      {"one, upside down", {text(2, 180)}, 0, 3},
      {"one, height 0", {text(0, 30)}, 0, 0},
      {"two: the step between them", {At(1, 1), At(3.5, 0)}, 2.5, -1},
      {"three: the last two, by the alignment point",
       {At(100, 100), At(0, 0), Centred(50, 50, 2, -3)},
       2,
       -3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    double dX = -1;
    double dY = -1;
    CalcPitch(c.records, dX, dY);
    EXPECT_NEAR(dX, c.dX, 1e-12);
    EXPECT_NEAR(dY, c.dY, 1e-12);
  }
  EXPECT_DOUBLE_EQ(DegToRad(180), std::numbers::pi);
  EXPECT_DOUBLE_EQ(DegToRad(-90), -std::numbers::pi / 2);
}

}  // namespace
}  // namespace vorbel
