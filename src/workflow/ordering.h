// The order of the records in the memo, and the pitch new texts continue at.
//
// Both orders are those of an exchange sort over the records: for each
// position i, every later record j that belongs before record i changes
// places with it (whole records). The coordinate order compares reference
// points with a tolerance of 0.01, which is not transitive, so the order is
// the one this exchange sort gives and no other; ordering_exact.h gives it
// in O(n log n) wherever that can be proved to be the same.
#pragma once

#include "dxf/text_ents.h"

namespace vorbel {

// Coordinate order by the records' reference points (X and Y only). When the
// points spread wider in X than in Y (strictly) they form a row: X ascending,
// and points within 0.01 in X from the upper one down. Otherwise a column: Y
// descending, and points within 0.01 in Y from left to right. Fewer than two
// records stay as they are.
void SortByCoords(TTextEnts& textEnts);

// File order: by Index, with the one-pass exchange sort.
void SortByIndex(TTextEnts& textEnts);

// The pitch: the step from the second-last record's reference point to the
// last one's. With one record, one and a half text heights perpendicular to
// the text, downwards relative to it: (sin r, -cos r) * 1.5 * Height for the
// rotation r. Needs at least one record.
void CalcPitch(const TTextEnts& textEnts, double& dX, double& dY);

// Deg * pi / 180.
double DegToRad(double deg);

}  // namespace vorbel
