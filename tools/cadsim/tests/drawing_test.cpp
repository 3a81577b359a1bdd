// The drawing as DXF: reading any ASCII DXF with its entities and handles,
// writing it back as DXFOUT does, and finding entities in plan.
#include "engine/drawing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/files.h"
#include "dxf/dxf_pairs.h"
#include "dxf/dxf_slices.h"
#include "dxf/text_ents.h"
#include "engine/dxf_format.h"
#include "engine/geometry.h"
#include "platform/file_path.h"
#include "support/dxf_builder.h"

namespace vorbel {
namespace {

using cadsim::TDrawing;

TEST(CadSimDxfFormat, RealsAreWrittenWithUpToSixteenDecimals) {
  struct TCase {
    double value;
    int decimals;
    const char* text;
  };
  const std::vector<TCase> cases = {
      {0, 16, "0.0"},
      {-0.0, 16, "0.0"},
      {100, 16, "100.0"},
      {12.5, 16, "12.5"},
      {-2, 16, "-2.0"},
      {1852.185631259885, 16, "1852.185631259885"},
      {-0.0000014685329006, 16, "-0.0000014685329006"},
      {1.0 / 3, 16, "0.3333333333333333"},
      {123456.789, 16, "123456.789"},
      {1e20, 16, "1.000000000000000E+20"},
      {1.224646799147353e-16, 16, "0.0000000000000001"},
      {1.224646799147353e-17, 16, "1.224646799147353E-17"},
      {1.0 / 3, 6, "0.333333"},
      {2.6, 0, "3.0"},
      {1e-9, 6, "0.0"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(cadsim::FormatDxfReal(c.value, c.decimals), c.text);
  }
}

TEST(CadSimDxfFormat, PairsAreWrittenWithRightAlignedCodesAndReformattedReals) {
  struct TCase {
    cadsim::TDxfPair pair;
    const char* code;
    const char* value;
  };
  const std::vector<TCase> cases = {
      {{0, "TEXT"}, "  0", "TEXT"},    {{10, "421.49999151634892"}, " 10", "421.4999915163489"},
      {{40, "3"}, " 40", "3.0"},       {{1, " 12.50 "}, "  1", " 12.50 "},
      {{62, "   18"}, " 62", "   18"}, {{100, "AcDbText"}, "100", "AcDbText"},
      {{1040, "1"}, "1040", "1.0"},    {{20, "not a number"}, " 20", "not a number"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.code);
    TLineList lines;
    cadsim::AppendDxfLines({c.pair}, 16, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], c.code);
    EXPECT_EQ(lines[1], c.value);
  }
}

TEST(CadSimDrawing, HandlesAreGivenAndPutBehindTheirTypeOnLoading) {
  // A TEXT without handle, a LINE whose handle comes late, a POLYLINE with
  // vertices, a CIRCLE with the LINE's handle, and a header seed below the
  // largest handle.
  const TLineList lines = test::PairsToLines(
      {{"0", "SECTION"},  {"2", "HEADER"},   {"9", "$HANDSEED"}, {"5", "10"},     {"0", "ENDSEC"},
       {"0", "SECTION"},  {"2", "ENTITIES"}, {"0", "TEXT"},      {"8", "0"},      {"10", "1"},
       {"20", "2"},       {"40", "3"},       {"1", "no handle"}, {"0", "LINE"},   {"8", "0"},
       {"5", "4f"},       {"10", "0"},       {"20", "0"},        {"11", "1"},     {"21", "1"},
       {"0", "POLYLINE"}, {"5", "60"},       {"66", "1"},        {"0", "VERTEX"}, {"10", "0"},
       {"20", "0"},       {"0", "VERTEX"},   {"5", "62"},        {"10", "5"},     {"20", "0"},
       {"0", "SEQEND"},   {"0", "CIRCLE"},   {"5", "4F"},        {"10", "0"},     {"20", "0"},
       {"40", "1"},       {"0", "ENDSEC"},   {"0", "EOF"}});
  const TDrawing drawing = TDrawing::FromLines(lines);
  struct TCase {
    std::string type;
    std::string handle;
    std::vector<std::string> partHandles;  // the value behind every "0" pair
  };
  const std::vector<TCase> cases = {
      {"TEXT", "63", {"63"}},
      {"LINE", "4F", {"4f"}},
      {"POLYLINE", "60", {"60", "64", "62", "65"}},
      {"CIRCLE", "66", {"66"}},
  };
  ASSERT_EQ(drawing.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].type);
    const cadsim::TEntity& entity = drawing.Entities()[i];
    EXPECT_EQ(cadsim::EntityType(entity), cases[i].type);
    EXPECT_EQ(entity.Handle, cases[i].handle);
    std::vector<std::string> partHandles;
    for (size_t p = 0; p + 1 < entity.Pairs.size(); ++p) {
      if (entity.Pairs[p].Code != 0) continue;
      EXPECT_EQ(entity.Pairs[p + 1].Code, 5);
      partHandles.push_back(entity.Pairs[p + 1].Value);
    }
    EXPECT_EQ(partHandles, cases[i].partHandles);
    EXPECT_EQ(drawing.Find(cases[i].handle), i);
  }
  EXPECT_EQ(drawing.HandleSeed(), "68") << "67 went to the root dictionary";
  EXPECT_EQ(drawing.Find("4f"), 1u) << "any letter case";
}

// Every corpus file loads with all its entities, each with a handle of its
// own directly behind its type, and written back it keeps its texts.
TEST(CadSimDrawing, EveryCorpusFileLoadsAndIsWrittenBackWithItsTexts) {
  const std::filesystem::path corpus = FilePath(std::string(VORBEL_SHARED_DIR) + "/dxf-corpus");
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (entry.path().extension() != ".dxf") continue;
    ++files;
    SCOPED_TRACE(PathText(entry.path()));
    const TLineList original = LoadLines(PathText(entry.path()));
    const TDrawing drawing = TDrawing::FromLines(original);

    size_t mainEntities = 0;
    bool inEntities = false;
    for (size_t p = 0; p < PairCount(original); ++p) {
      if (IsEndSection(original, p)) inEntities = false;
      if (inEntities && PairCode(original, p) == "0") {
        const std::string_view type = PairValue(original, p);
        if (type != "VERTEX" && type != "SEQEND" && type != "ATTRIB") ++mainEntities;
      }
      if (IsEntitiesMarker(original, p)) inEntities = true;
    }
    EXPECT_EQ(drawing.size(), mainEntities);

    std::set<std::string> handles;
    for (const cadsim::TEntity& entity : drawing.Entities()) {
      ASSERT_GE(entity.Pairs.size(), 2u);
      EXPECT_EQ(entity.Pairs[1].Code, 5);
      EXPECT_FALSE(entity.Handle.empty());
      handles.insert(entity.Handle);
    }
    // Also in ezdxf_duplicate_handles.dxf, whose entities share handles.
    EXPECT_EQ(handles.size(), drawing.size());

    const TLineList written = drawing.ToDxf({}, cadsim::kMaxDecimals);
    EXPECT_TRUE(EndsWithEof(written));
    TTextEnts before;
    TTextEnts after;
    ParseTextEnts(original, before);
    ASSERT_EQ(ParseTextEnts(written, after), static_cast<int32_t>(before.size()));
    for (size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(after[i].Text, before[i].Text);
      EXPECT_NEAR(after[i].InsPoint.X, before[i].InsPoint.X, 1e-9 * (1 + std::abs(before[i].InsPoint.X)));
      EXPECT_NEAR(after[i].InsPoint.Y, before[i].InsPoint.Y, 1e-9 * (1 + std::abs(before[i].InsPoint.Y)));
    }
    // The seed written into the header lies above every handle of the file.
    const int32_t maxHandle = GetMaxHandle(written);
    TLineList head;
    CopyDxfHead(written, head);
    EXPECT_GT(std::stoll(drawing.HandleSeed(), nullptr, 16), static_cast<long long>(maxHandle) - 1);
    const TDrawing reread = TDrawing::FromLines(written);
    EXPECT_EQ(reread.size(), drawing.size());
  }
  EXPECT_GE(files, 20u);
}

TEST(CadSimDrawing, AClickPicksTheEntityUnderIt) {
  const TDrawing drawing = TDrawing::FromLines(
      test::SelectionFile({test::TextEntity("2A", "0.0", "0.0", "ABCD"), test::LineEntity("2B"),
                           test::TextEntity("2C", "0.0", "10.0", "X")}));
  struct TCase {
    const char* name;
    cadsim::TPoint2 at;
    std::string handle;  // empty: nothing
  };
  const std::vector<TCase> cases = {
      {"inside the first text's box", {5, 1.5}, "2A"}, {"on the line", {8, 0.05}, "2B"},
      {"near the line's end", {10.1, 0}, "2B"},        {"on the second text", {0.5, 11}, "2C"},
      {"far from everything", {50, 50}, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t i = cadsim::NearestEntity(drawing.Entities(), c.at, 0.5);
    EXPECT_EQ(i == std::string::npos ? std::string() : drawing.Entities()[i].Handle, c.handle);
  }
}

}  // namespace
}  // namespace vorbel
