#include "dxf/text_ents.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "support/dxf_builder.h"

namespace vorbel {
namespace {

using test::PairsToLines;
using test::SelectionFile;
using test::TextEntity;

TEST(ParseTextEnts, ReadsEveryTextOfTheSectionInFileOrder) {
  const TLineList lines =
      SelectionFile({TextEntity("2A", "10.0", "20.5", " 端子 1 "),
                     test::LineEntity("2B"),
                     test::JustifiedTextEntity("2C", "0.0", "0.0", "5.0", "-7.25", 1, 2, "ｶﾅ"),
                     {{"0", "MTEXT"}, {"5", "2D"}, {"1", "not a text"}}});
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(lines, ents), 2);
  EXPECT_EQ(ents[0].Index, 0);
  EXPECT_EQ(ents[0].Handle, "2A");
  EXPECT_EQ(ents[0].Text, " 端子 1 ");
  EXPECT_EQ(ents[0].InsPoint.X, 10.0);
  EXPECT_EQ(ents[0].InsPoint.Y, 20.5);
  EXPECT_EQ(ents[0].Height, 2.5);
  EXPECT_EQ(ents[0].Rotation, 0.0);
  EXPECT_EQ(ents[0].AlignPoint.X, 0.0);
  EXPECT_EQ(RefPoint(ents[0]).X, 10.0);
  EXPECT_EQ(ents[1].Index, 1);
  EXPECT_EQ(ents[1].Text, "ｶﾅ");
  EXPECT_EQ(ents[1].HJust, 1);
  EXPECT_EQ(ents[1].VJust, 2);
  EXPECT_EQ(RefPoint(ents[1]).Y, -7.25);
}

TEST(ParseTextEnts, KeepsTheLaterOfTwoGroupsAndCutsLongHandles) {
  const TLineList lines = PairsToLines({{"2", "ENTITIES"},
                                        {"0", "TEXT"},
                                        {"5", "123456789ABC"},
                                        {"1", "a"},
                                        {"1", "b"},
                                        {"50", "90"},
                                        {"0", "ENDSEC"}});
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(lines, ents), 1);
  EXPECT_EQ(ents[0].Handle, "123456789A");
  EXPECT_EQ(ents[0].Text, "b");
  EXPECT_EQ(ents[0].Rotation, 90.0);
}

TEST(ParseTextEnts, FindsNothingOutsideTheSection) {
  const struct {
    test::TPairs pairs;
  } cases[] = {
      {{}},
      {{{"0", "SECTION"}, {"2", "BLOCKS"}, {"0", "TEXT"}, {"1", "x"}, {"0", "ENDSEC"}}},
      {{{"2", "ENTITIES"}, {"0", "LINE"}, {"0", "MTEXT"}, {"1", "x"}, {"0", "ENDSEC"}, {"0", "TEXT"}}},
      {{{"2", "entities"}, {"0", "TEXT"}}},
  };
  for (const auto& c : cases) {
    TTextEnts ents(3);
    EXPECT_EQ(ParseTextEnts(PairsToLines(c.pairs), ents), 0);
    EXPECT_TRUE(ents.empty());
  }
}

TEST(ParseTextEnts, ANumberThatIsNoNumberStopsTheParseAndKeepsEarlierRecords) {
  const struct {
    std::string code;
    std::string value;
    std::string message;
  } cases[] = {
      {"10", "abc", "'abc' は浮動小数点数ではありません"},
      {"40", "1,5", "'1,5' は浮動小数点数ではありません"},
      {"72", "1.0", "'1.0' は整数ではありません"},
      {"73", "", "'' は整数ではありません"},
  };
  for (const auto& c : cases) {
    const TLineList lines = PairsToLines(
        {{"2", "ENTITIES"}, {"0", "TEXT"}, {"5", "1"}, {"0", "TEXT"}, {c.code, c.value}, {"0", "ENDSEC"}});
    TTextEnts ents;
    try {
      ParseTextEnts(lines, ents);
      ADD_FAILURE() << "no error for " << c.code;
    } catch (const TRuntimeError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
    EXPECT_EQ(ents.size(), 2u);
  }
}

TEST(TakeMemoLines, GivesLineIToRecordI) {
  TTextEnts ents(3);
  for (auto& ent : ents) ent.Text = "old";
  EXPECT_EQ(TakeMemoLines({"a", " "}, ents), 2);
  EXPECT_EQ(ents[0].Text, "a");
  EXPECT_EQ(ents[1].Text, " ");
  EXPECT_EQ(ents[2].Text, "");
  EXPECT_EQ(TakeMemoLines({"1", "2", "3", "4", "5"}, ents), 3);
  EXPECT_EQ(ents[2].Text, "3");
  TTextEnts none;
  EXPECT_EQ(TakeMemoLines({"a"}, none), 0);
}

}  // namespace
}  // namespace vorbel
