// What the export before an update tells of the drawing (header variables,
// locked layers, objects beyond plain texts), what every inserted file is
// made to say, and the commands that make typed values world values.
#include "dxf/drawing_state.h"

#include <gtest/gtest.h>

#include "dxf/insertion_file.h"
#include "support/dxf_builder.h"
#include "workflow/update_checks.h"
#include "workflow/world_input.h"

namespace vorbel {
namespace {

using test::LayerTable;
using test::LineEntity;
using test::OnLayer;
using test::SelectionFile;
using test::TextEntity;
using test::TPairs;

TPairs Polyline(const std::string& layer) {
  return {{"0", "POLYLINE"}, {"5", "60"}, {"8", layer}, {"0", "VERTEX"}, {"5", "61"}, {"8", layer},
          {"0", "VERTEX"},   {"5", "62"}, {"8", layer}, {"0", "SEQEND"}, {"5", "63"}, {"8", layer}};
}

TEST(DrawingStateTest, HeaderValuesAsTheExportWritesThem) {
  const TLineList file =
      SelectionFile({TextEntity("2A", "0.0", "0.0", "$ANGBASE")}, "30",
                    {{"9", "$ANGBASE"}, {"50", " 1.570796326794897"}, {"9", "$ELEVATION"}, {"40", "7.5"}});
  EXPECT_EQ(HeaderValue(file, "$ANGBASE", "50"), "1.570796326794897");
  EXPECT_EQ(HeaderValue(file, "$ELEVATION", "40"), "7.5");
  EXPECT_EQ(HeaderValue(file, "$ELEVATION", "50"), std::nullopt);
  EXPECT_EQ(HeaderValue(file, "$HANDSEED", "5"), "30");
  EXPECT_EQ(HeaderValue(file, "$INSBASE", "10"), std::nullopt);
}

TEST(DrawingStateTest, ObjectsOnLockedLayers) {
  const TPairs layers = LayerTable({{"0", 0}, {"T2", 4}, {"枠", 5}, {"T3", 4}, {"Free", 1}});
  struct TCase {
    const char* name;
    std::vector<TPairs> entities;
    std::vector<std::string> layers;
    size_t count;
  };
  const TCase cases[] = {
      {"nothing locked selected",
       {TextEntity("2A", "0", "0", "a"), OnLayer(LineEntity("2B"), "Free")},
       {},
       0},
      {"letter case and order of the table",
       {OnLayer(TextEntity("2A", "0", "0", "a"), "枠"), OnLayer(TextEntity("2B", "0", "0", "b"), "t2"),
        OnLayer(LineEntity("2C"), "T2"), TextEntity("2D", "0", "0", "d")},
       {"T2", "枠"},
       3},
      {"a polyline counts once, its vertices not", {Polyline("T3")}, {"T3"}, 1},
      {"without a layer pair the object is on 0", {OnLayer(TextEntity("2A", "0", "0", "a"), "")}, {}, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TLockedObjects locked = ObjectsOnLockedLayers(SelectionFile(c.entities, "30", {}, layers));
    EXPECT_EQ(locked.Layers, c.layers);
    EXPECT_EQ(locked.Count, c.count);
  }
  // Layer "0" locked holds the object without a layer pair.
  const TLineList zeroLocked =
      SelectionFile({OnLayer(TextEntity("2A", "0", "0", "a"), "")}, "30", {}, LayerTable({{"0", 4}}));
  EXPECT_EQ(ObjectsOnLockedLayers(zeroLocked).Count, 1u);
  EXPECT_EQ(LockedLayersMessage({{"T2"}, 7}),
            "ロックされた画層 (T2) に一覧の図形が 7 個あるため、更新しませんでした。"
            "画層のロックを解除してから、もう一度「更新」してください。編集した行は残っています");
  EXPECT_NE(LockedLayersMessage({{"T2", "枠"}, 3}).find("(T2、枠) に一覧の図形が 3 個"), std::string::npos);
}

TEST(DrawingStateTest, ObjectsBeyondPlainTexts) {
  const TPairs reactors = {{"102", "{ACAD_REACTORS"}, {"330", "7F"}, {"102", "}"}};
  const TLineList file = SelectionFile({TextEntity("2A", "0", "0", "plain"),
                                        test::WithPairs(TextEntity("2B", "0", "0", "g"), reactors),
                                        LineEntity("2C"),
                                        LineEntity("2D"),
                                        Polyline("0"),
                                        {{"0", "LWPOLYLINE"}, {"5", "70"}},
                                        {{"0", "WIPEOUT"}, {"5", "71"}}});
  const std::map<std::string, size_t> kinds = ObjectsBeyondPlainTexts(file);
  EXPECT_EQ(kinds, (std::map<std::string, size_t>{
                       {"LINE", 2}, {"LWPOLYLINE", 1}, {"POLYLINE", 1}, {"TEXT", 1}, {"WIPEOUT", 1}}));
  const std::string question = RedrawQuestion(kinds);
  for (const char* part :
       {"線分 2 個", "ポリライン 2 個", "グループなどに属する文字 1 個", "WIPEOUT 1 個", "更新しますか?"}) {
    EXPECT_NE(question.find(part), std::string::npos) << part;
  }
  EXPECT_TRUE(ObjectsBeyondPlainTexts(SelectionFile({TextEntity("2A", "0", "0", "plain")})).empty());
}

TEST(DrawingStateTest, InsertedFilesSayBaseZeroAndModelSpace) {
  const TPairs paper = {{"67", "1"}};
  const TPairs model = {{"67", "0"}};
  const std::vector<TPairs> entities = {test::WithPairs(TextEntity("2A", "1.0", "2.0", "P"), paper),
                                        test::WithPairs(TextEntity("2B", "1.0", "2.0", "M"), model)};
  const TLineList expectedEntities =
      SelectionFile({TextEntity("2A", "1.0", "2.0", "P"), entities[1]}, "30",
                    {{"9", "$INSBASE"}, {"10", "0.0"}, {"20", "0.0"}, {"30", "0.0"}});
  struct TCase {
    const char* name;
    TPairs header;
  };
  const TCase cases[] = {
      {"a base point of the drawing's own",
       {{"9", "$INSBASE"}, {"10", "250.0"}, {"20", "-40.0"}, {"30", "3.0"}}},
      {"no base point: one is added after the first variable", {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TLineList file = SelectionFile(entities, "30", c.header);
    PrepareForInsertion(file);
    // Written after $ACADVER and $HANDSEED in the expectation, before
    // $HANDSEED when added: compare the variable and the rest apart.
    EXPECT_EQ(HeaderValue(file, "$INSBASE", "10"), "0.0");
    EXPECT_EQ(HeaderValue(file, "$INSBASE", "20"), "0.0");
    EXPECT_EQ(HeaderValue(file, "$INSBASE", "30"), "0.0");
    EXPECT_EQ(HeaderValue(file, "$HANDSEED", "5"), "30");
    const std::string bytes = file.ToBytes();
    EXPECT_EQ(bytes.substr(bytes.find("ENTITIES")),
              expectedEntities.ToBytes().substr(expectedEntities.ToBytes().find("ENTITIES")));
  }
}

TEST(DrawingStateTest, CommandsThatMakeTypedValuesWorldValues) {
  const TLineList plain = SelectionFile({});
  const TLineList surveyed = SelectionFile(
      {}, "30", {{"9", "$ANGBASE"}, {"50", "1.570796326794897"}, {"9", "$ELEVATION"}, {"40", "7.5"}});
  struct TCase {
    const char* name;
    const TLineList& head;
    bool userUcs;
    bool ucsFollow;
    std::vector<std::string> begin;
    std::vector<std::string> end;
  };
  const TCase cases[] = {
      {"world, nothing set", plain, false, true, {}, {}},
      {"world, angle base and elevation",
       surveyed,
       false,
       false,
       {"_.ANGBASE 0 "},
       {"_.ANGBASE 1.570796326794897r "}},
      {"user UCS", plain, true, false, {"_.UCS _W "}, {"_.UCS _P "}},
      {"user UCS that the view follows, angle base and elevation",
       surveyed,
       true,
       true,
       {"_.UCSFOLLOW 0 ", "_.UCS _W ", "_.ANGBASE 0 "},
       {"_.ANGBASE 1.570796326794897r ", "_.UCS _P ", "_.ELEVATION 7.5 ", "_.UCSFOLLOW 1 "}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TTypedInputState state = TypedInputState(c.head, c.userUcs, c.ucsFollow);
    EXPECT_EQ(WorldInputBegin(state), c.begin);
    EXPECT_EQ(WorldInputEnd(state), c.end);
  }
}

}  // namespace
}  // namespace vorbel
