// The stand-in CAD's drawing: a DXF file kept as its sections of
// group-code/value pairs, with the entities of the entities section as
// entities of their own (every kind, in file order, with their handles).
//
// The drawing is never parsed further than that: what the CAD program would
// keep in its database is kept here as the pairs it came from, and written
// back as DXF of release 2000 the way DXFOUT writes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/line_list.h"
#include "dxf/text_ents.h"
#include "engine/dxf_format.h"

namespace vorbel::cadsim {

// One entity of the entities section together with the sub-entities that
// belong to it (the VERTEX and SEQEND of a POLYLINE, the ATTRIB and SEQEND of
// an INSERT). Every part opens with its "0" pair, followed by its handle.
struct TEntity {
  TDxfPairs Pairs;
  std::string Handle;  // the main part's group 5 in upper case
};

// The entity's type: the value of its first "0" pair ("TEXT", "LINE" ...).
std::string_view EntityType(const TEntity& entity);
// The layer the entity lies on: its group 8, "0" without one.
std::string EntityLayer(const TEntity& entity);
// True for an entity of paper space: group 67 "1" on its main part.
bool InPaperSpace(const TEntity& entity);
// A layer name as layer names compare: without letter case (the ASCII
// letters of it, double-byte characters left as they are), without the
// blanks around it.
std::string LayerKey(std::string_view name);

// The position and size an inserted drawing gets.
struct TPlacement {
  TDxfPoint Point;
  double Scale = 1;
  double Rotation = 0;  // degrees, counter-clockwise
};

// A section other than the entities: its name and the pairs between
// "2"/name and "0"/"ENDSEC".
struct TSection {
  std::string Name;
  TDxfPairs Pairs;
};

class TDrawing {
 public:
  // An empty drawing: a header with a handle seed and the root dictionary.
  TDrawing();

  // Reads any ASCII DXF. Entities without a handle get one (as the CAD
  // program gives them on opening an old file), so does an entity whose
  // handle an earlier one carries, and every handle is moved directly behind
  // its "0" pair. Raises "'%s' は整数ではありません" for a
  // group-code line that is no number.
  static TDrawing FromLines(const TLineList& lines);
  // Raises "%s を開けません" when the file cannot be read.
  static TDrawing Load(std::string_view path);

  const std::vector<TEntity>& Entities() const { return entities_; }
  size_t size() const { return entities_.size(); }
  // The index of the entity with the handle (any letter case), or npos.
  size_t Find(std::string_view handle) const;

  // Removes the entities with these handles; returns how many went.
  size_t Erase(const std::vector<std::string>& handles);

  // Adds the entities of `source`'s entities section at the end, exploded:
  // each with a new handle, moved so that the source's insertion base
  // ($INSBASE) lands on the placement's point, scaled and rotated about it.
  // Returns the new handles in order.
  std::vector<std::string> InsertExploded(const TDrawing& source, const TPlacement& placement);

  // The drawing as ASCII DXF of release 2000: header (with $ACADVER AC1015
  // and the current handle seed), classes, tables, blocks, the entities whose
  // `keep` flag is set (all when `keep` is empty), objects and EOF. Reals get
  // `decimals` decimal places.
  TLineList ToDxf(const std::vector<bool>& keep, int decimals) const;

  // The layers whose LAYER table entry has bit 4 (locked) in its flags
  // (group 70), as LayerKey gives their names.
  std::unordered_set<std::string> LockedLayers() const;
  // Locks or unlocks the layers with these names (any letter case; "*" is
  // every layer) in the LAYER table; names the table lacks are added to
  // `missing`. Returns how many entries changed.
  size_t LockLayers(const std::vector<std::string>& names, bool lock, std::vector<std::string>& missing);

  // Paper space is the current space when the header's $TILEMODE is 0.
  bool PaperSpaceIsCurrent() const;
  // Puts these entities, their sub-entities with them, into paper space
  // (group 67 "1" after the pairs of the handle, the owner and the entity
  // class, as DXFOUT writes it; the *Paper_Space block record as owner) or
  // model space (without group 67; the *Model_Space block record as owner).
  void PutInSpace(const std::vector<std::string>& handles, bool paper);

  // The next handle the drawing gives, in upper-case hexadecimal.
  std::string HandleSeed() const;
  // The point of the drawing that lands on the insertion point ($INSBASE).
  TDxfPoint InsertionBase() const;

  // A header variable's pair with the group code ("$UCSORG", 20), read as a
  // number; nullopt when the header lacks it or it holds no number.
  std::optional<double> HeaderReal(std::string_view variable, int32_t code) const;
  std::optional<int32_t> HeaderInt(std::string_view variable, int32_t code) const;
  // Sets the pair, adding the variable at the header's end (or the group
  // code after the variable's last pair) when the header lacks it. A pair
  // that already holds the number is left as it stands. True when the
  // drawing changed.
  bool SetHeaderReal(std::string_view variable, int32_t code, double value);
  bool SetHeaderInt(std::string_view variable, int32_t code, int32_t value);

 private:
  std::string NewHandle();
  void GiveHandles(TEntity& entity, std::unordered_set<std::string>& used);
  void ScanHandles();
  void Reindex();
  TDxfPairs HeaderForOutput() const;
  const TDxfPair* FindHeaderPair(std::string_view variable, int32_t code) const;
  bool SetHeaderPair(std::string_view variable, int32_t code, std::string value);
  const TSection* FindSection(std::string_view name) const;

  std::vector<TSection> sections_;
  std::vector<TEntity> entities_;
  std::unordered_map<std::string, size_t> index_;
  uint64_t seed_ = 1;
  std::string modelSpace_;  // handle of the *Model_Space block record, when the tables have one
  std::string paperSpace_;  // handle of the *Paper_Space block record, when the tables have one
};

// Upper-case ASCII letters of `text`.
std::string UpperAscii(std::string_view text);

}  // namespace vorbel::cadsim
