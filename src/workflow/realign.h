// Re-spacing the selected texts along the pitch before an update.
#pragma once

#include "dxf/text_ents.h"

namespace vorbel {

enum class TRealignment {
  None,
  Pitch,   // "XY間隔を更新": every text at its step of dX, dY from the first
  Column,  // "縦整列(dX=0)": every text at the first one's X
  Row,     // "横整列(dY=0)": every text at the first one's Y
};

// Puts the records into coordinate order and moves records 1 to the last as
// `realignment` says, from the first record's points (Z stays). The base
// points become the last record's points. Nothing happens for None.
void Realign(TTextEnts& textEnts, TRealignment realignment, double dX, double dY, TDxfPoint& baseInsPoint,
             TDxfPoint& baseAlignPoint);

}  // namespace vorbel
