// The entities of the entities section, one after the other, in one pass
// over the pairs.
//
// A "2"/"ENTITIES" pair anywhere switches the section on and the next
// "0"/"ENDSEC" switches it off, so a file with several such markers has
// several sections, walked in turn. Inside the section every other "0" pair
// opens an entity, whose groups run up to the next "0" pair, whatever that
// pair is: the next entity's, the "0"/"ENDSEC" of the section, or none at all.
//
//   TEntityWalk walk(lines);
//   while (walk.Next()) {
//     if (!walk.IsText()) continue;
//     while (walk.NextGroup()) { ... walk.Pair(), walk.Code() ... }
//   }
//
// The walk views the list, which must not change while it is walked. It is
// defined here, in the header, so that it compiles into its callers' loops:
// it runs over every pair of exports of millions of lines.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/line_list.h"
#include "dxf/dxf_pairs.h"

namespace vorbel {

class TEntityWalk {
 public:
  explicit TEntityWalk(const TLineList& lines) : lines_(lines), pairCount_(PairCount(lines)) {}

  // Moves to the "0" pair that opens the next entity of the section, past
  // the groups of the current one not read; false when the list holds no
  // further entity.
  bool Next() {
    // Groups of the current entity not read are passed over like any pair
    // other than a "0" pair.
    inEntity_ = false;
    for (; next_ < pairCount_; ++next_) {
      const std::string_view code = PairCode(lines_, next_);
      if (code != "0") {
        CountMarker(next_, code);
        continue;
      }
      const std::string_view value = PairValue(lines_, next_);
      if (value == "ENDSEC") {
        inEntities_ = false;
        continue;
      }
      if (!inEntities_) continue;
      first_ = next_++;
      type_ = value;
      inEntity_ = true;
      return true;
    }
    return false;
  }
  // The entity's opening pair and its trimmed value ("TEXT", "LINE" ...).
  size_t First() const { return first_; }
  std::string_view Type() const { return type_; }
  bool IsText() const { return type_ == "TEXT"; }

  // Moves to the entity's next group; false at the "0" pair after its last
  // group, or at the end of the list.
  bool NextGroup() {
    if (!inEntity_) return false;
    if (next_ < pairCount_) {
      code_ = PairCode(lines_, next_);
      if (code_ != "0") {
        CountMarker(next_, code_);
        pair_ = next_++;
        return true;
      }
    }
    inEntity_ = false;
    return false;
  }
  // The group's pair and its trimmed code.
  size_t Pair() const { return pair_; }
  std::string_view Code() const { return code_; }
  // Once NextGroup has returned false: the "0" pair that ends the entity, or
  // the pair count when no "0" pair follows.
  size_t End() const { return next_; }

  // The "2"/"ENTITIES" pairs read so far: every one of the list once Next
  // has returned false.
  size_t EntitiesMarkers() const { return markers_; }

 private:
  void CountMarker(size_t p, std::string_view code) {
    if (code == "2" && PairValue(lines_, p) == "ENTITIES") {
      ++markers_;
      inEntities_ = true;
    }
  }

  const TLineList& lines_;
  size_t pairCount_;
  size_t next_ = 0;  // the next pair to read
  bool inEntities_ = false;
  bool inEntity_ = false;
  size_t markers_ = 0;
  size_t first_ = 0;
  std::string_view type_;
  size_t pair_ = 0;
  std::string_view code_;
};

}  // namespace vorbel
