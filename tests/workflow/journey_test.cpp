// The whole journey (select, list, update with new texts, make, each taken
// back by one U) against every reading of the CAD program's behaviour the
// stand-in offers: typed input carried out before the send returns or queued
// for later, an export written late and in two steps, the count of a
// selection in its other form, and a drawing in every state at once that
// changes what typed values mean.
#include <gtest/gtest.h>

#include "base/files.h"
#include "platform/ui_automation.h"
#include "workflow_fixture.h"

namespace vorbel {
namespace {

using test::ColumnDrawing;
using test::TCommands;
using test::WorkflowTest;

struct TReading {
  const char* name;
  cadsim::TCadOptions options;
  std::string settings;  // typed in the stand-in before the journey
};

std::vector<TReading> Readings() {
  std::vector<TReading> readings(6);
  readings[0].name = "input carried out before the send returns";
  readings[1].name = "input queued, carried out at once from the message loop";
  readings[1].options.Timing.InputDelay = 0;
  readings[2].name = "input queued for 200 ms";
  readings[2].options.Timing.InputDelay = 200;
  readings[3].name = "input queued for 200 ms, the export written in two steps over 600 ms";
  readings[3].options.Timing = {200, 600};
  readings[4].name = "the count ends its line: 認識された数: N";
  readings[4].options.CountLine = cadsim::TCadEngine::TCountLine::Recognized;
  // A drafter's drawing: a UCS of the user's own that the view follows, the
  // angle base north, an elevation, a locked layer, running snaps on typed
  // points, only model space inserted; input queued.
  readings[5].name = "every state of the drawing at once, input queued for 200 ms";
  cadsim::TCadOptions& all = readings[5].options;
  all.Timing.InputDelay = 200;
  all.PointsInUcs = all.AnglesFromAngBase = all.ElevationOfFlatPoints = true;
  all.LockedLayers = all.ModelSpaceOnly = true;
  all.TypedPointSnap = 30;
  readings[5].settings = "UCS N 1000,500 UCS N Z 30 ANGBASE 90 ELEVATION 7.5 UCSFOLLOW 1 ";
  return readings;
}

// The drawing's strings, in drawing order.
std::vector<std::string> Strings(const TTextEnts& texts) {
  std::vector<std::string> strings;
  for (const TTextEnt& t : texts) strings.push_back(t.Text);
  return strings;
}

TEST_F(WorkflowTest, TheWholeJourneyUnderEveryReadingOfAutoCad) {
  for (const TReading& reading : Readings()) {
    SCOPED_TRACE(reading.name);
    Start(ColumnDrawing(), {}, reading.options);
    engine_->Type(reading.settings);
    Settle();
    const size_t historyBefore = engine_->FullHistory().size();

    Select({"2A", "2B", "2C"});
    EXPECT_EQ(form_->Memo1.Text(), "A-1\r\nA-2\r\nA-3\r\n");
    EXPECT_TRUE(form_->ButtonUpdate.Enabled());
    Settle();
    // Snap came back as it was, and AutoCAD understood every input.
    EXPECT_EQ(engine_->SnapMode(), 1);
    EXPECT_TRUE(engine_->IsIdle());
    const std::string history = engine_->FullHistory().substr(historyBefore);
    EXPECT_EQ(history.find("未定義"), std::string::npos) << history;
    EXPECT_EQ(history.find("必要"), std::string::npos) << history;

    form_->Memo1.SetText("B-1\r\nB-2\r\nB-3\r\nB-4");
    const std::string beforeUpdate = SavedDrawing().ToBytes();
    ClickControl(form_->ButtonUpdate);
    Settle();
    EXPECT_EQ(Strings(SavedTexts()), (std::vector<std::string>{"端子", "B-1", "B-2", "B-3", "B-4"}));
    // One U takes the whole update back.
    const std::string updated = SavedDrawing().ToBytes();
    engine_->Type("U ");
    EXPECT_EQ(SavedDrawing().ToBytes(), beforeUpdate);

    EXPECT_NE(updated, beforeUpdate);
    Select({"2E"});
    form_->Memo1.SetText("N-1");
    form_->Edit2.SetText("-5");
    ClickControl(form_->ButtonMake);
    ASSERT_EQ(form_->TimerMode, TTimerMode::AwaitingPlacement);
    Tick();
    EXPECT_EQ(form_->TimerMode, TTimerMode::AwaitingPlacement) << "the user has not placed them yet";
    ASSERT_TRUE(engine_->PlacePoint({100, 50, 0}));
    Tick();
    EXPECT_EQ(form_->TimerMode, TTimerMode::Idle);
    EXPECT_FALSE(form_->Minimized());
    Settle();
    EXPECT_TRUE(engine_->IsIdle());
    const TTextEnts texts = SavedTexts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts.back().Text, "N-1");
    EXPECT_EQ(texts.back().InsPoint.X, 100);
    EXPECT_TRUE(TakeErrorBoxes().empty());
    engine_->Type("U ");
    EXPECT_EQ(SavedDrawing().ToBytes(), beforeUpdate) << "one U takes the new texts back";
  }
}

}  // namespace
}  // namespace vorbel
