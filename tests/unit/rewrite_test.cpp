#include "dxf/rewrite.h"

#include <gtest/gtest.h>

#include "dxf/creation.h"
#include "dxf/dxf_pairs.h"
#include "dxf/dxf_slices.h"
#include "dxf/rewrite_walk.h"
#include "support/dxf_builder.h"

namespace vorbel {
namespace {

using test::JustifiedTextEntity;
using test::LineEntity;
using test::SelectionFile;
using test::TextEntity;
using Lines = std::vector<std::string>;

// The update as the write-back runs it: lines into records, apply, delete.
TLineList Update(const TLineList& exported, const Lines& memo) {
  TLineList lines = exported;
  TTextEnts ents;
  ParseTextEnts(lines, ents);
  TakeMemoLines(memo, ents);
  ApplyTextEnts(ents, lines);
  DeleteMarkedEntities(ents, lines);
  return lines;
}

// Both implementations must give the same lines for every case here.
TLineList UpdateByWalk(const TLineList& exported, const Lines& memo) {
  TLineList lines = exported;
  TTextEnts ents;
  ParseTextEnts(lines, ents);
  TakeMemoLines(memo, ents);
  ApplyTextEntsByWalk(ents, lines);
  DeleteMarkedEntitiesByWalk(ents, lines);
  return lines;
}

Lines Texts(const TLineList& lines) {
  TTextEnts ents;
  ParseTextEnts(lines, ents);
  Lines texts;
  for (const auto& ent : ents) texts.push_back(ent.Text);
  return texts;
}

TLineList ThreeTexts() {
  return SelectionFile({TextEntity("2A", "100.0", "5.0", "T-1"), LineEntity("2B"),
                        TextEntity("2C", "0.00005", "123456.789", "T-2"),
                        TextEntity("2D", "0.0001", "0.0", "T-3")});
}

TEST(Update, AnUnchangedMemoWritesBackStringsAndReformattedPoints) {
  const TLineList updated = Update(ThreeTexts(), {"T-1", "T-2", "T-3"});
  EXPECT_EQ(updated.size(), ThreeTexts().size());
  const std::string bytes = updated.ToBytes();
  EXPECT_NE(bytes.find(" 10\r\n100\r\n 20\r\n5\r\n 30\r\n0\r\n"), std::string::npos);
  EXPECT_NE(bytes.find(" 10\r\n5E-5\r\n 20\r\n123456.789\r\n"), std::string::npos);
  EXPECT_NE(bytes.find(" 10\r\n0.0001\r\n"), std::string::npos);
  // The LINE keeps its exported numbers.
  EXPECT_NE(bytes.find(" 11\r\n10.0\r\n"), std::string::npos);
  EXPECT_EQ(Texts(updated), (Lines{"T-1", "T-2", "T-3"}));
}

TEST(Update, WritesNewStringsAndRemovesEmptiedTexts) {
  const struct {
    Lines memo;
    Lines texts;
  } cases[] = {
      {{"A", "B", "C"}, {"A", "B", "C"}},
      {{"A", "", "C"}, {"A", "C"}},
      {{"", "B", ""}, {"B"}},
      {{"A"}, {"A"}},
      {{}, {}},
      {{"   ", "B", "C"}, {"   ", "B", "C"}},
      {{" 端子 ", "ｶﾅ", "ソ\\"}, {" 端子 ", "ｶﾅ", "ソ\\"}},
  };
  for (const auto& c : cases) {
    const TLineList updated = Update(ThreeTexts(), c.memo);
    EXPECT_EQ(Texts(updated), c.texts);
    EXPECT_EQ(updated, UpdateByWalk(ThreeTexts(), c.memo));
    // Every other entity stays.
    EXPECT_NE(updated.ToBytes().find("LINE\r\n  5\r\n2B\r\n"), std::string::npos);
  }
}

TEST(Update, AllLinesClearedLeavesOnlyTheOtherEntities) {
  const TLineList updated = Update(ThreeTexts(), {"", "", ""});
  TLineList expected = SelectionFile({LineEntity("2B")});
  EXPECT_EQ(updated, expected);
}

TEST(Update, TwoEmptiedTextsGoWhateverTheOrderOfTheRecords) {
  TLineList lines = ThreeTexts();
  TTextEnts ents;
  ParseTextEnts(lines, ents);
  std::swap(ents[0], ents[2]);  // the later entity's record comes first
  TakeMemoLines({"", "kept", ""}, ents);
  ApplyTextEnts(ents, lines);
  DeleteMarkedEntities(ents, lines);
  EXPECT_EQ(Texts(lines), (Lines{"kept"}));
}

TEST(Update, ATenCharacterHandleMarkedForDeletionFindsNoEntity) {
  const TLineList exported = SelectionFile({TextEntity("123456789A", "1", "2", "x")});
  TTextEnts ents;
  TLineList lines = exported;
  ParseTextEnts(lines, ents);
  TakeMemoLines({""}, ents);
  ApplyTextEnts(ents, lines);
  EXPECT_EQ(ents[0].Handle, "-123456789");
  DeleteMarkedEntities(ents, lines);
  EXPECT_EQ(lines, exported);
}

TEST(Update, AnotherEntityThatCarriesTheKeyIsNeverDeletedWithAText) {
  // A LINE after a TEXT with the same handle (only a damaged file has that):
  // deleting the text deletes the text, not the LINE in between or after.
  const TLineList exported = SelectionFile(
      {TextEntity("5A", "1", "2", "a"), LineEntity("5B"), LineEntity("5C"), TextEntity("5C", "3", "4", "c")});
  const TLineList updated = Update(exported, {"a", ""});
  EXPECT_EQ(updated, UpdateByWalk(exported, {"a", ""}));
  EXPECT_EQ(Texts(updated), (Lines{"a"}));
  const std::string bytes = updated.ToBytes();
  EXPECT_NE(bytes.find("LINE\r\n  5\r\n5B\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("LINE\r\n  5\r\n5C\r\n"), std::string::npos);
}

TEST(Update, DuplicateHandlesGiveEveryTextWithTheHandleTheLastString) {
  const TLineList exported = SelectionFile({TextEntity("7", "1", "2", "a"), TextEntity("7", "3", "4", "b")});
  const TLineList updated = Update(exported, {"x", "y"});
  EXPECT_EQ(updated, UpdateByWalk(exported, {"x", "y"}));
  EXPECT_EQ(Texts(updated), (Lines{"y", "y"}));
}

TEST(FillTextTemplate, SetsHandleStringAndBothPoints) {
  TLineList pattern;
  CopyEntityByHandle("TEXT", "2C",
                     SelectionFile({JustifiedTextEntity("2C", "1.5", "2.5", "3.5", "4.5", 1, 0, "old")}),
                     pattern);
  FillTextTemplate(pattern, "104", {10, -5, 0}, {0.5, 0.25, 1}, "新");
  TTextEnts ents;
  ParseTextEnts(test::PairsToLines({{"2", "ENTITIES"}}), ents);
  TLineList wrapped = test::PairsToLines({{"2", "ENTITIES"}});
  wrapped.AppendAll(pattern);
  wrapped.AppendAll(test::PairsToLines({{"0", "ENDSEC"}}));
  ASSERT_EQ(ParseTextEnts(wrapped, ents), 1);
  EXPECT_EQ(ents[0].Handle, "104");
  EXPECT_EQ(ents[0].Text, "新");
  EXPECT_EQ(ents[0].InsPoint.Y, -5);
  EXPECT_EQ(ents[0].AlignPoint.Z, 1);
  EXPECT_EQ(ents[0].Height, 2.5);
  EXPECT_EQ(ents[0].HJust, 1);
  TLineList empty;
  FillTextTemplate(empty, "1", {}, {}, "x");
  EXPECT_TRUE(empty.empty());
}

TEST(CreationFile, HoldsHeadThePatternOncePerTextAndTail) {
  const TLineList exported = ThreeTexts();
  TLineList head, tail, pattern;
  CopyEntityByHandle("TEXT", "2D", exported, pattern);
  CopyDxfHead(exported, head);
  CopyDxfTail(exported, tail);
  const std::vector<TNewText> texts = {{NewHandleText(260), {0, 0, 0}, {0, 0, 0}, "a"},
                                       {NewHandleText(261), {0, -5, 0}, {0, -5, 0}, "b"},
                                       {NewHandleText(262), {0, -10, 0}, {0, -10, 0}, "c"}};
  const TLineList file = BuildCreationFile(head, pattern, tail, texts);
  EXPECT_EQ(file.size(), head.size() + 3 * pattern.size() + tail.size());
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(file, ents), 3);
  EXPECT_EQ(ents[0].Handle, "104");
  EXPECT_EQ(ents[1].Handle, "105");
  EXPECT_EQ(ents[2].InsPoint.Y, -10);
  EXPECT_EQ(ents[2].Text, "c");
  // Every other line of the pattern stands three times unchanged.
  for (size_t i = 0; i < pattern.size(); i += 2) {
    const std::string_view code = TrimBlanks(pattern[i]);
    if (code == "5" || code == "1" || code == "10" || code == "20" || code == "30") continue;
    for (size_t k = 0; k < 3; ++k) {
      EXPECT_EQ(file[head.size() + k * pattern.size() + i + 1], pattern[i + 1]);
    }
  }
  // An empty pattern gives head and tail only.
  TLineList none;
  EXPECT_EQ(BuildCreationFile(head, none, tail, texts).size(), head.size() + tail.size());
}

}  // namespace
}  // namespace vorbel
