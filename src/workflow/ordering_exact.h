// The exact results of the exchange sorts behind SortByCoords and SortByIndex,
// found without running them where that can be proved to give the same.
//
// An order lists positions: order[i] is the position, in the array as it
// was, of the record that ends at position i.
#pragma once

#include <cstddef>
#include <vector>

#include "dxf/text_ents.h"

namespace vorbel {

using TOrder = std::vector<size_t>;

// The order of the exchange sort (for i from 0, for j after i: records i and
// j change places when record j belongs before record i) for a comparison by
// rank: record a belongs before record b exactly when ranks[a] < ranks[b].
// Records of equal rank never change places with each other directly, but
// they are carried past each other by the exchanges with lower ranks; their
// final order is worked out here exactly. Every rank must be below
// ranks.size(). O(n log n), plus at most O(n * sqrt(n)) steps for many ties.
TOrder ExchangeSortOrder(const std::vector<size_t>& ranks);

struct TCoordsOrder {
  TOrder Order;
  // The layout's comparison could not be proved a strict weak order (near
  // ties chained beyond 0.01, or coordinates that are no finite numbers):
  // the exchange sort ran step by step.
  bool Literal = false;
};

// The order of SortByCoords.
TCoordsOrder CoordsOrder(const TTextEnts& textEnts);

// The coordinate exchange sort run step by step: the extent pass, the layout
// and the ordering pass with its tolerance comparison. Quadratic; the
// fallback of CoordsOrder.
TOrder LiteralCoordsOrder(const TTextEnts& textEnts);

// The order of SortByIndex.
TOrder IndexOrder(const TTextEnts& textEnts);

// Rearranges the records so that record order[i] stands at position i.
void ApplyOrder(TTextEnts& textEnts, const TOrder& order);

}  // namespace vorbel
