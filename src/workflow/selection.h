// The selection the memo was listed from: the export, its text records and
// what new texts continue from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/line_list.h"
#include "dxf/text_ents.h"

namespace vorbel {

struct TSelection {
  // The records, in the memo's order.
  TTextEnts TextEnts;
  // The export, its head and tail around the entities, and the pattern
  // entity of new texts.
  TLineList DxfLines;
  TLineList DxfHead;
  TLineList DxfTail;
  TLineList DxfTemplate;
  int32_t MaxHandle = 0;
  // Where new texts continue: the points of the last record in the current
  // order.
  TDxfPoint BaseInsPoint;
  TDxfPoint BaseAlignPoint;
  // Each record's string as the memo gave it back when it was listed, by the
  // record's Index. The memo may give back other bytes than it was given
  // (duplicate codes of code page 932, invalid sequences).
  std::vector<std::string> Shown;
  // True from a complete listing on: only then do the memo's lines belong to
  // these records. Select forgets the selection when it clears the memo.
  bool Listed = false;
};

// Remembers what the memo shows for each record: `lines` are the memo's
// lines, line i showing record i.
void RememberShown(TSelection& selection, const std::vector<std::string>& lines);

// Memo line i goes back to record i with the record's own bytes when it is
// still what the memo showed for the record; a line the user changed is
// written as it stands.
void KeepUntouchedBytes(const TSelection& selection, std::vector<std::string>& lines);

// Memo line i no longer stands for its record's own bytes (a command put
// other bytes there that the memo shows alike): from now on it goes back as
// it stands, unless it is those bytes themselves.
void ForgetShown(TSelection& selection, size_t line);

}  // namespace vorbel
