#include "workflow/ordering_exact.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <utility>

namespace vorbel {

// Differences and the tolerance are compared as doubles, without excess
// precision, so the order is the same on Linux and Windows.
static_assert(FLT_EVAL_METHOD == 0, "the coordinate comparisons need plain double arithmetic");

namespace {

// Two reference points nearer than this in the leading coordinate count as
// level with each other.
constexpr double kTolerance = 0.01;

// ---------------------------------------------------------------------------
// The exchange sort by rank.
//
// A pass at position i carries a running minimum along the records after it:
// each record of lower rank than the one held is exchanged with it. The
// records that move are the suffix's strict prefix minima, each to the place
// of the next one, the last (the first record of the lowest rank) to i. So
// records of different rank end in rank order; only the order among records
// of one rank k needs working out.
//
// Look at the records of rank k ("equal") and of lower rank ("lower") only,
// in the order they stand. In a pass that places a lower record, the first of
// these from i on is either a lower record (the equal records stay) or an
// equal one: that one is then a prefix minimum and moves to the place of the
// first lower record after it, past the equal records between. Either way the first lower
// record drops out of the sequence, and in the second case the leading run
// of equal records turns by one (its first goes to its end). Once no lower
// record is left, the passes take the equal records in the order they stand.
// So: walk the records of rank <= k in file order; an equal record joins the
// end of the run, a lower one turns the run by one.

// Counts the positions added below a position (a Fenwick tree).
class TPositionCounter {
 public:
  explicit TPositionCounter(size_t n) : tree_(n + 1, 0) {}

  void Add(size_t pos) {
    for (size_t i = pos + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }

  size_t CountBelow(size_t pos) const {
    size_t count = 0;
    for (size_t i = pos; i > 0; i -= i & (~i + 1)) count += tree_[i];
    return count;
  }

 private:
  std::vector<size_t> tree_;
};

// The run of equal records: a ring with room for the whole rank, so a turn
// by one moves one entry while the run is still growing.
class TRun {
 public:
  explicit TRun(size_t capacity) : ring_(capacity) {}

  void PushBack(size_t pos) {
    ring_[Slot(size_)] = pos;
    ++size_;
  }

  // Moves the first `steps` entries to the end, one after the other.
  void Turn(size_t steps) {
    if (size_ == 0) return;
    steps %= size_;
    if (size_ == ring_.size()) {
      head_ = Slot(steps);
      return;
    }
    for (; steps > 0; --steps) {
      ring_[Slot(size_)] = ring_[head_];
      head_ = Slot(1);
    }
  }

  size_t operator[](size_t i) const { return ring_[Slot(i)]; }

 private:
  size_t Slot(size_t i) const { return (head_ + i) % ring_.size(); }

  std::vector<size_t> ring_;
  size_t head_ = 0;
  size_t size_ = 0;
};

// Puts the records of one rank, members[begin, end) in file order, into the
// order the exchange sort leaves them in. `lower` holds the positions of all
// records of lower ranks, which are `begin` many.
void ArrangeTiedRank(TOrder& members, size_t begin, size_t end, const TPositionCounter& lower) {
  TRun run(end - begin);
  size_t lowerSeen = 0;
  for (size_t k = begin; k < end; ++k) {
    const size_t lowerBefore = lower.CountBelow(members[k]);
    run.Turn(lowerBefore - lowerSeen);
    run.PushBack(members[k]);
    lowerSeen = lowerBefore;
  }
  run.Turn(begin - lowerSeen);
  for (size_t k = begin; k < end; ++k) members[k] = run[k - begin];
}

// ---------------------------------------------------------------------------
// The coordinate comparison.

struct TPlanePoint {
  double X = 0;
  double Y = 0;
};

bool IsFinite(const TPlanePoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

TPlanePoint PlanePoint(const TTextEnt& ent) {
  const TDxfPoint& p = RefPoint(ent);
  return {p.X, p.Y};
}

// Whether the record at q belongs before the one at p, which then change
// places: in a row by X ascending, level ones (within 0.01 in X) from the
// upper one down; in a column by Y descending, level ones from left to right.
// Both comparisons are made, so that no branch depends on the points.
template <bool kRow>
bool Swaps(const TPlanePoint& p, const TPlanePoint& q) {
  if constexpr (kRow) {
    const bool apart = std::fabs(p.X - q.X) > kTolerance;
    return (apart & (p.X > q.X)) | (!apart & (p.Y < q.Y));
  } else {
    const bool apart = std::fabs(p.Y - q.Y) > kTolerance;
    return (apart & (p.Y < q.Y)) | (!apart & (p.X > q.X));
  }
}

// A record held by a pass of the ordering: its point as bits, and its
// position in the array as it was.
struct THeld {
  uint64_t X = 0;
  uint64_t Y = 0;
  uint64_t Pos = 0;
};

THeld Held(const TPlanePoint& p, size_t pos) {
  return {std::bit_cast<uint64_t>(p.X), std::bit_cast<uint64_t>(p.Y), pos};
}

// One step of a pass at j: when the record at j belongs before the held
// one, the held one goes to j and the other is held. The exchange is a
// select by mask: which way a comparison goes is no pattern a processor
// could guess, so a branch would mostly be mispredicted.
template <bool kRow>
void ExchangeStep(THeld& held, TPlanePoint* points, size_t* order, size_t j) {
  const TPlanePoint p = {std::bit_cast<double>(held.X), std::bit_cast<double>(held.Y)};
  const THeld q = Held(points[j], order[j]);
  const uint64_t mask = uint64_t{0} - static_cast<uint64_t>(Swaps<kRow>(p, points[j]));
  const THeld change = {(held.X ^ q.X) & mask, (held.Y ^ q.Y) & mask, (held.Pos ^ q.Pos) & mask};
  points[j] = {std::bit_cast<double>(q.X ^ change.X), std::bit_cast<double>(q.Y ^ change.Y)};
  order[j] = static_cast<size_t>(q.Pos ^ change.Pos);
  held = {held.X ^ change.X, held.Y ^ change.Y, held.Pos ^ change.Pos};
}

// The ordering pass, for i from 0 to n-2: the record at i is held while the
// pass runs over the later ones. Each step depends on the one before, so
// the passes run kWave at a time as a wave: while pass `first` works at s,
// pass first+t works at s-t, a place the pass before it left one step
// earlier. Every place sees the same exchanges in the same order as with one
// pass after the other, and the processor works on kWave held records side
// by side.
template <bool kRow>
void ExchangeByCoords(std::vector<TPlanePoint>& pointsVector, TOrder& orderVector) {
  constexpr size_t kWave = 8;
  const size_t n = pointsVector.size();
  TPlanePoint* points = pointsVector.data();
  size_t* order = orderVector.data();
  for (size_t first = 0; first + 1 < n; first += kWave) {
    const size_t passes = std::min(kWave, n - 1 - first);
    std::array<THeld, kWave> held{};
    // Pass first+t takes its record at its first step and puts the held one
    // back after its last.
    const auto checkedStep = [&](size_t s) {
      for (size_t t = 0; t < passes; ++t) {
        const size_t start = first + t;
        if (s < start + t + 1) break;
        const size_t j = s - t;
        if (j >= n) continue;
        if (j == start + 1) held[t] = Held(points[start], order[start]);
        ExchangeStep<kRow>(held[t], points, order, j);
        if (j == n - 1) {
          points[start] = {std::bit_cast<double>(held[t].X), std::bit_cast<double>(held[t].Y)};
          order[start] = static_cast<size_t>(held[t].Pos);
        }
      }
    };
    const size_t lastStep = n + passes - 2;
    size_t s = first + 1;
    if (passes == kWave) {
      // Up to first + 2 * kWave every pass has taken its record; below n - 1
      // none has reached its last place.
      for (; s < first + 2 * kWave && s <= lastStep; ++s) checkedStep(s);
      for (; s + 1 < n; ++s) {
        for (size_t t = 0; t < kWave; ++t) ExchangeStep<kRow>(held[t], points, order, s - t);
      }
    }
    for (; s <= lastStep; ++s) checkedStep(s);
  }
}

// The extent pass: the largest |a - b| over all pairs of records, in X and
// in Y. Rounding is monotone, so for finite values (an overflowing
// difference included) it is the rounded difference of the largest and the
// smallest value; with an infinity or a NaN among them the pairs are
// compared one by one.
struct TExtents {
  double X = 0;
  double Y = 0;
};

TExtents FiniteExtents(const TTextEnts& textEnts) {
  TPlanePoint low = PlanePoint(textEnts.front());
  TPlanePoint high = low;
  for (const TTextEnt& ent : textEnts) {
    const TPlanePoint p = PlanePoint(ent);
    low = {std::min(low.X, p.X), std::min(low.Y, p.Y)};
    high = {std::max(high.X, p.X), std::max(high.Y, p.Y)};
  }
  return {std::fabs(high.X - low.X), std::fabs(high.Y - low.Y)};
}

TExtents PairwiseExtents(const std::vector<TPlanePoint>& points) {
  TExtents extents;
  for (size_t i = 0; i < points.size(); ++i) {
    for (size_t j = i + 1; j < points.size(); ++j) {
      const double dX = std::fabs(points[i].X - points[j].X);
      const double dY = std::fabs(points[i].Y - points[j].Y);
      if (dX > extents.X) extents.X = dX;
      if (dY > extents.Y) extents.Y = dY;
    }
  }
  return extents;
}

// A row when the points spread wider in X than in Y; equal extents make a
// column.
bool IsRow(const TExtents& extents) { return extents.X > extents.Y; }

TOrder Identity(size_t n) {
  TOrder order(n);
  std::iota(order.begin(), order.end(), size_t{0});
  return order;
}

TOrder LiteralOrder(const TTextEnts& textEnts) {
  std::vector<TPlanePoint> points;
  points.reserve(textEnts.size());
  for (const TTextEnt& ent : textEnts) points.push_back(PlanePoint(ent));
  const bool finite = std::all_of(points.begin(), points.end(), IsFinite);
  const bool row =
      textEnts.empty() ? false : IsRow(finite ? FiniteExtents(textEnts) : PairwiseExtents(points));
  TOrder order = Identity(points.size());
  if (row) {
    ExchangeByCoords<true>(points, order);
  } else {
    ExchangeByCoords<false>(points, order);
  }
  return order;
}

// A record's place in the comparison: the record with the smaller U comes
// first when the two differ by more than 0.01 in U, else the one with the
// smaller V. Column: U = -Y, V = X; row: U = X, V = -Y. Negation is exact, so
// the rounded differences are those of the coordinates.
struct TOrderKey {
  double U = 0;
  double V = 0;
  size_t Pos = 0;
};

std::vector<TOrderKey> OrderKeys(const TTextEnts& textEnts, bool row) {
  std::vector<TOrderKey> keys(textEnts.size());
  for (size_t pos = 0; pos < textEnts.size(); ++pos) {
    const TPlanePoint p = PlanePoint(textEnts[pos]);
    keys[pos] = row ? TOrderKey{p.X, -p.Y, pos} : TOrderKey{-p.Y, p.X, pos};
  }
  return keys;
}

// The order when the comparison is proved a strict weak order on the keys.
// Sorted by U, the keys are cut into clusters where neighbours differ by
// more than 0.01. When no cluster spans more than 0.01, rounding being
// monotone, any two keys of one cluster are within 0.01 of each other and
// any two of different clusters more than 0.01 apart: the comparison is by
// cluster, then by V, and records are tied exactly when they share a cluster
// and V. Otherwise nothing.
std::optional<TOrder> ClusterOrder(std::vector<TOrderKey> keys) {
  std::sort(keys.begin(), keys.end(), [](const TOrderKey& a, const TOrderKey& b) { return a.U < b.U; });
  // Ranks follow the sorted keys; equal ones share the rank of the first.
  std::vector<size_t> rankOf(keys.size());
  bool tied = false;
  for (size_t begin = 0; begin < keys.size();) {
    size_t end = begin + 1;
    while (end < keys.size() && keys[end].U - keys[end - 1].U <= kTolerance) ++end;
    if (keys[end - 1].U - keys[begin].U > kTolerance) return std::nullopt;
    const auto first = keys.begin() + static_cast<std::ptrdiff_t>(begin);
    const auto last = keys.begin() + static_cast<std::ptrdiff_t>(end);
    std::sort(first, last, [](const TOrderKey& a, const TOrderKey& b) { return a.V < b.V; });
    for (size_t k = begin; k < end; ++k) {
      const bool sameAsBefore = k > begin && keys[k].V == keys[k - 1].V;
      rankOf[k] = sameAsBefore ? rankOf[k - 1] : k;
      tied = tied || sameAsBefore;
    }
    begin = end;
  }
  if (!tied) {
    TOrder order(keys.size());
    for (size_t k = 0; k < keys.size(); ++k) order[k] = keys[k].Pos;
    return order;
  }
  std::vector<size_t> ranks(keys.size());
  for (size_t k = 0; k < keys.size(); ++k) ranks[keys[k].Pos] = rankOf[k];
  return ExchangeSortOrder(ranks);
}

}  // namespace

TOrder ExchangeSortOrder(const std::vector<size_t>& ranks) {
  const size_t n = ranks.size();
  // The records of each rank in file order, ranks ascending (a counting
  // sort): the result, once the runs of tied records are arranged.
  std::vector<size_t> rankStart(n + 1, 0);
  for (const size_t rank : ranks) ++rankStart[rank + 1];
  for (size_t rank = 0; rank < n; ++rank) rankStart[rank + 1] += rankStart[rank];
  TOrder members(n);
  std::vector<size_t> next(rankStart.begin(), rankStart.end() - 1);
  for (size_t pos = 0; pos < n; ++pos) members[next[ranks[pos]]++] = pos;

  bool tied = false;
  for (size_t rank = 0; rank < n && !tied; ++rank) tied = rankStart[rank + 1] - rankStart[rank] > 1;
  if (!tied) return members;

  TPositionCounter lower(n);
  for (size_t rank = 0; rank < n; ++rank) {
    const size_t begin = rankStart[rank];
    const size_t end = rankStart[rank + 1];
    if (end - begin > 1) ArrangeTiedRank(members, begin, end, lower);
    for (size_t k = begin; k < end; ++k) lower.Add(members[k]);
  }
  return members;
}

TCoordsOrder CoordsOrder(const TTextEnts& textEnts) {
  TCoordsOrder result;
  if (textEnts.size() < 2) {
    result.Order = Identity(textEnts.size());
    return result;
  }
  const bool finite = std::all_of(textEnts.begin(), textEnts.end(),
                                  [](const TTextEnt& ent) { return IsFinite(PlanePoint(ent)); });
  if (finite) {
    if (auto order = ClusterOrder(OrderKeys(textEnts, IsRow(FiniteExtents(textEnts))))) {
      result.Order = std::move(*order);
      return result;
    }
  }
  result.Order = LiteralOrder(textEnts);
  result.Literal = true;
  return result;
}

TOrder LiteralCoordsOrder(const TTextEnts& textEnts) { return LiteralOrder(textEnts); }

TOrder IndexOrder(const TTextEnts& textEnts) {
  const size_t n = textEnts.size();
  std::vector<std::pair<int32_t, size_t>> keys(n);
  for (size_t pos = 0; pos < n; ++pos) keys[pos] = {textEnts[pos].Index, pos};
  std::sort(keys.begin(), keys.end());
  std::vector<size_t> ranks(n);
  size_t rank = 0;
  for (size_t k = 0; k < n; ++k) {
    if (k > 0 && keys[k].first != keys[k - 1].first) ++rank;
    ranks[keys[k].second] = rank;
  }
  return ExchangeSortOrder(ranks);
}

void ApplyOrder(TTextEnts& textEnts, const TOrder& order) {
  // Cycle by cycle, each record moved once. (A list that is no permutation
  // would end a cycle at a place already filled rather than run on.)
  std::vector<bool> placed(order.size(), false);
  for (size_t start = 0; start < order.size(); ++start) {
    if (placed[start] || order[start] == start) continue;
    TTextEnt held = std::move(textEnts[start]);
    size_t to = start;
    while (order[to] != start && !placed[order[to]]) {
      textEnts[to] = std::move(textEnts[order[to]]);
      placed[to] = true;
      to = order[to];
    }
    textEnts[to] = std::move(held);
    placed[to] = true;
  }
}

}  // namespace vorbel
