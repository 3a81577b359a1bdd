#include "dxf/dxf_slices.h"

#include <gtest/gtest.h>

#include "support/dxf_builder.h"

namespace vorbel {
namespace {

using test::PairsToLines;
using test::TPairs;
using Lines = std::vector<std::string>;

TEST(MaxHandle, IsTheLargestGroupFiveOfTheWholeFile) {
  const struct {
    TPairs pairs;
    int32_t expected;
  } cases[] = {
      {{}, 0},
      {{{"0", "LINE"}, {"8", "0"}}, 0},
      {{{"5", "1F"}, {"5", "20"}}, 32},
      {{{"5", "20"}, {"5", "1f"}}, 32},
      {{{"9", "$HANDSEED"}, {"5", "7c5"}, {"5", "84"}}, 0x7C5},
      {{{"5", "  2A  "}}, 42},
      {{{"5", "0"}, {"5", "0"}}, 0},
      // From 80000000 up the value is negative and never the largest.
      {{{"5", "10"}, {"5", "80000000"}, {"5", "FFFFFFFF"}}, 16},
      {{{"5", "7FFFFFFF"}}, INT32_MAX},
      {{{"5", "000000001A"}}, 26},
      // Values that are no handle: custom objects' "*", an empty value, too many digits.
      {{{"5", "*"}, {"5", ""}, {"5", "123456789"}, {"5", "-1"}, {"5", "1B"}}, 27},
      // Code 105 is not a handle of the list.
      {{{"105", "FF"}, {"5", "1"}}, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(GetMaxHandle(PairsToLines(c.pairs)), c.expected);
}

TEST(MaxHandle, AnUnpairedLastLineIsNotRead) {
  TLineList lines = PairsToLines({{"5", "10"}});
  lines.push_back("  5");
  EXPECT_EQ(GetMaxHandle(lines), 16);
}

TLineList Sample() {
  return PairsToLines({{"0", "SECTION"},
                       {"2", "HEADER"},
                       {"0", "ENDSEC"},
                       {"0", "SECTION"},
                       {"2", "ENTITIES"},
                       {"0", "TEXT"},
                       {"5", "A"},
                       {"1", "one"},
                       {"0", "LINE"},
                       {"5", "B"},
                       {"0", "TEXT"},
                       {"5", "C"},
                       {"1", "two"},
                       {"0", "ENDSEC"},
                       {"0", "EOF"}});
}

TEST(HeadAndTail, SplitAtTheEntitiesSection) {
  TLineList head;
  CopyDxfHead(Sample(), head);
  EXPECT_EQ(head.ToStrings(),
            (Lines{"  0", "SECTION", "  2", "HEADER", "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"}));
  TLineList tail;
  CopyDxfTail(Sample(), tail);
  EXPECT_EQ(tail.ToStrings(), (Lines{"  0", "ENDSEC", "  0", "EOF"}));
}

TEST(HeadAndTail, AppendWithoutClearing) {
  TLineList head = TLineList::FromStrings({"kept"});
  CopyDxfHead(Sample(), head);
  EXPECT_EQ(head[0], "kept");
  EXPECT_EQ(head.size(), 11u);
}

TEST(HeadAndTail, WithoutAnEntitiesSection) {
  const TLineList lines = PairsToLines({{"0", "SECTION"}, {"2", "entities"}, {"0", "ENDSEC"}});
  TLineList head;
  CopyDxfHead(lines, head);
  EXPECT_EQ(head.ToStrings(), (Lines{"  0"}));
  TLineList tail;
  CopyDxfTail(lines, tail);
  EXPECT_EQ(tail, lines);
  TLineList empty;
  CopyDxfHead(TLineList(), empty);
  CopyDxfTail(TLineList(), empty);
  EXPECT_TRUE(empty.empty());
}

TEST(HeadAndTail, AnOddLastLineGoesWithTheTail) {
  TLineList lines = Sample();
  lines.push_back("stray");
  TLineList tail;
  CopyDxfTail(lines, tail);
  EXPECT_EQ(tail.ToStrings(), (Lines{"  0", "ENDSEC", "  0", "EOF", "stray"}));
}

TEST(EntityByHandle, CopiesTheFirstMatchingTextOfTheSection) {
  const struct {
    std::string handle;
    Lines expected;
  } cases[] = {
      {"A", {"  0", "TEXT", "  5", "A", "  1", "one"}},
      // The last entity of the section ends before "0"/"ENDSEC".
      {"C", {"  0", "TEXT", "  5", "C", "  1", "two"}},
      // Only the LINE carries "B" (a damaged file): the TEXT before it ends at
      // the LINE's "0" pair, so no TEXT matches.
      {"B", {}},
      {"Z", {}},
      {"a", {}},
  };
  for (const auto& c : cases) {
    TLineList entity;
    CopyEntityByHandle("TEXT", c.handle, Sample(), entity);
    EXPECT_EQ(entity.ToStrings(), c.expected) << c.handle;
  }
}

TEST(EntityByHandle, TakesTheFirstOfTwoWithOneHandleAndIgnoresBlocks) {
  const TLineList lines = PairsToLines({{"0", "SECTION"},
                                        {"2", "BLOCKS"},
                                        {"0", "TEXT"},
                                        {"5", "A"},
                                        {"1", "block"},
                                        {"0", "ENDSEC"},
                                        {"0", "SECTION"},
                                        {"2", "ENTITIES"},
                                        {"0", "TEXT"},
                                        {"5", "D"},
                                        {"1", "first"},
                                        {"0", "TEXT"},
                                        {"5", "D"},
                                        {"1", "second"},
                                        {"0", "ENDSEC"}});
  TLineList entity;
  CopyEntityByHandle("TEXT", "D", lines, entity);
  EXPECT_EQ(entity[5], "first");
  TLineList none;
  CopyEntityByHandle("TEXT", "A", lines, none);
  EXPECT_TRUE(none.empty());
}

TEST(Eof, TellsCompleteFilesFromCutOnes) {
  const struct {
    Lines lines;
    bool complete;
  } cases[] = {
      {{"  0", "EOF"}, true},
      {{"  0", "ENDSEC", "  0", "EOF"}, true},
      {{"0", "EOF", ""}, true},
      {{"  0", "ENDSEC"}, false},
      {{}, false},
      {{"EOF"}, false},
      {{"x", "  0", "EOF"}, false},
      {{"  0", "EOF", "  0"}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(EndsWithEof(TLineList::FromStrings(c.lines)), c.complete);
}

}  // namespace
}  // namespace vorbel
