// The indexed update against the record-by-record walks on random files:
// duplicate handles, texts without handles, marked records, odd line counts,
// texts outside the entities section and several sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "dxf/rewrite.h"
#include "dxf/rewrite_walk.h"
#include "support/dxf_builder.h"

namespace vorbel {
namespace {

using test::TPairs;

class TRandomDxf {
 public:
  explicit TRandomDxf(unsigned seed) : random_(seed) {}

  TLineList File() {
    TPairs pairs = {{"0", "SECTION"}, {"2", "HEADER"}, {"9", "$HANDSEED"}, {"5", Handle()}, {"0", "ENDSEC"}};
    AddSection(pairs, "BLOCKS", Below(4));
    const int sections = Chance(10) ? 2 : (Chance(10) ? 0 : 1);
    for (int s = 0; s < sections; ++s) AddSection(pairs, "ENTITIES", Below(25));
    if (Chance(5)) pairs.push_back({"2", "ENTITIES"});  // a stray marker, for instance a block name
    if (!Chance(10)) pairs.push_back({"0", "EOF"});
    TLineList lines = test::PairsToLines(pairs);
    if (Chance(20)) lines.push_back("  0");
    return lines;
  }

  std::vector<std::string> Memo(size_t records) {
    std::vector<std::string> memo;
    const size_t count = Chance(20) ? static_cast<size_t>(Below(static_cast<int>(records) + 3)) : records;
    for (size_t i = 0; i < count; ++i) {
      const int kind = Below(10);
      memo.push_back(kind < 3 ? "" : kind < 4 ? "  " : "new " + std::to_string(i));
    }
    return memo;
  }

  void Shuffle(TTextEnts& ents) { std::shuffle(ents.begin(), ents.end(), random_); }

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }
  std::string Handle() {
    static const char* const pool[] = {"1A", "1B", "1C", "2F", "30", "A0", "", "1a"};
    return pool[Below(8)];
  }
  std::string Number() { return std::to_string(Below(2000) - 1000) + "." + std::to_string(Below(100)); }

  void AddEntity(TPairs& pairs) {
    static const char* const types[] = {"TEXT", "TEXT", "TEXT", "LINE", "MTEXT", "INSERT"};
    pairs.push_back({"0", types[Below(6)]});
    if (Chance(50)) pairs.push_back({"1", "before handle"});
    if (!Chance(10)) pairs.push_back({"5", Handle()});
    if (Chance(10)) pairs.push_back({"5", Handle()});
    pairs.push_back({"10", Number()});
    pairs.push_back({"20", Number()});
    if (Chance(70)) pairs.push_back({"1", "text"});
    if (Chance(30)) pairs.push_back({"11", Number()});
    if (Chance(30)) pairs.push_back({"72", std::to_string(Below(3))});
    if (Chance(5)) pairs.push_back({"2", "ENTITIES"});
    if (Chance(20)) pairs.push_back({"21", Number()});
  }

  void AddSection(TPairs& pairs, const char* name, int entities) {
    pairs.push_back({"0", "SECTION"});
    pairs.push_back({"2", name});
    for (int i = 0; i < entities; ++i) AddEntity(pairs);
    if (!Chance(5)) pairs.push_back({"0", "ENDSEC"});
  }

  std::mt19937 random_;
};

TEST(RandomFiles, IndexedUpdateWritesWhatTheWalksWrite) {
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    TRandomDxf random(seed);
    const TLineList exported = random.File();
    TTextEnts ents;
    ParseTextEnts(exported, ents);
    if (seed % 3 == 0) random.Shuffle(ents);
    TakeMemoLines(random.Memo(ents.size()), ents);

    TLineList fast = exported;
    TLineList walked = exported;
    TTextEnts fastEnts = ents;
    TTextEnts walkedEnts = ents;
    ApplyTextEnts(fastEnts, fast);
    ApplyTextEntsByWalk(walkedEnts, walked);
    ASSERT_EQ(fast.ToStrings(), walked.ToStrings()) << "apply, seed " << seed;
    for (size_t i = 0; i < ents.size(); ++i) ASSERT_EQ(fastEnts[i].Handle, walkedEnts[i].Handle);

    DeleteMarkedEntities(fastEnts, fast);
    DeleteMarkedEntitiesByWalk(walkedEnts, walked);
    ASSERT_EQ(fast.ToStrings(), walked.ToStrings()) << "delete, seed " << seed;
  }
}

}  // namespace
}  // namespace vorbel
