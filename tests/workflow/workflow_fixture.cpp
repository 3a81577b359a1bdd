#include "workflow_fixture.h"

#include <algorithm>

#include "app/update_preview_form.h"
#include "base/files.h"
#include "platform/application.h"
#include "platform/headless/sim_desktop.h"
#include "platform/headless/sim_screen.h"
#include "platform/ui_automation.h"
#include "support/dxf_builder.h"

namespace vorbel::test {

void WorkflowTest::SetUp() {
  InitApplication("Vorbel Ver.1.11a");
  TakeErrorBoxes();
  // The user answers はい unless a test says otherwise.
  AnswerQuestions(true);
  TakeQuestions();
  sim::SetScreenSize(1024, 768);
  sim::SetScreenDpi(96);
  sim::SetProgramPath(dir_.File("vorbel.exe"));
}

void WorkflowTest::TearDown() {
  SetModalDriver(nullptr);
  form_.reset();
  windows_.reset();
  sim::Desktop().Reset();
  sim::SetProgramPath("");
  StopAnsweringQuestions();
}

void WorkflowTest::Start(const TLineList& drawing, std::vector<std::string> arguments,
                         const cadsim::TCadOptions& readings) {
  form_.reset();
  windows_.reset();
  sim::Desktop().Reset();
  const std::string path = dir_.File("図面.dxf");
  SaveLines(path, drawing);
  engine_ = std::make_unique<cadsim::TCadEngine>(path);
  ApplyReadings(readings, *engine_);
  windows_ = std::make_unique<cadsim::TSimCadWindows>(*engine_, cadsim::kSimCadThreadId, readings.Timing);
  engine_->Type("SNAPMODE 1 ");
  form_ = std::make_unique<TForm1>(std::move(arguments));
  form_->Show();
  seen_ = sim::Desktop().received.size();
}

void WorkflowTest::Select(const std::vector<std::string>& handles, std::string_view ending) {
  ClickControl(form_->ButtonSelect);
  for (const std::string& handle : handles) EXPECT_TRUE(engine_->Pick(handle)) << handle;
  engine_->Type(ending);
  Tick();
}

void WorkflowTest::Update(const std::string& memo) {
  form_->Memo1.SetText(memo);
  TakeCommands();
  ClickControl(form_->ButtonUpdate);
  Settle();
}

void WorkflowTest::Tick() {
  sim::Desktop().AdvanceTime(form_->Timer1.Interval());
  TickTimer(form_->Timer1);
}

void WorkflowTest::Settle() { sim::Desktop().AdvanceTime(1000); }

std::vector<std::string> WorkflowTest::TakeCommands() {
  std::vector<std::string> commands;
  const auto& received = sim::Desktop().received;
  for (; seen_ < received.size(); ++seen_) {
    const sim::TReceived& message = received[seen_];
    // The command travels with its terminating NUL.
    if (message.kind != "WM_COPYDATA" || message.value != 1) continue;
    EXPECT_TRUE(message.bytes.ends_with('\0'));
    commands.push_back(message.bytes.substr(0, message.bytes.find('\0')));
  }
  return commands;
}

TLineList WorkflowTest::SavedDrawing() {
  const std::string saved = dir_.File("saved.dxf");
  engine_->Type("SAVEAS " + saved + "\r");
  return LoadLines(saved);
}

TTextEnts WorkflowTest::SavedTexts() {
  TTextEnts texts;
  ParseTextEnts(SavedDrawing(), texts);
  return texts;
}

TCommands PreviousSetExport(const std::string& file) {
  return {"FILEDIA 0 ", "DXFOUT " + file + "\r" + "V 2000 O P " + "\r" + "16 ", "'FILEDIA 1 "};
}

TCommands DrawingStateQueries(const std::string& checkFile) {
  TCommands commands = PreviousSetExport(checkFile);
  commands.push_back("'WORLDUCS\r");
  return commands;
}

bool ChangesTheDrawing(const TCommands& commands) {
  return std::any_of(commands.begin(), commands.end(), [](const std::string& command) {
    return command.find("ERASE") != std::string::npos || command.find("INSERT") != std::string::npos;
  });
}

std::string InsertCommand(const std::string& file) {
  return "\x03-INSERT *" + file + "\r" + "_non 0,0,0 1 0 ";
}

void AnswerPreview(TSeenPreview& seen, bool update) {
  seen = TSeenPreview();
  SetModalDriver([&seen, update](TForm& form) {
    ASSERT_EQ(form.Layout().ClassName, "TUpdatePreviewForm");
    auto* preview = static_cast<TUpdatePreviewForm*>(&form);
    seen.Opened = true;
    seen.Counts = preview->Label1.Text();
    seen.Warning = preview->Label2.Text();
    seen.CancelIsDefault = preview->ButtonCancel.Focused();
    const TListView& list = preview->ListView1;
    for (size_t row = 0; row < list.RowCount(); ++row) {
      std::string text;
      for (size_t column = 0; column < list.ColumnCount(); ++column)
        text += (column > 0 ? "|" : "") + list.CellText(row, column);
      seen.Rows.push_back(text);
    }
    if (update) {
      ClickControl(preview->ButtonUpdate);
    } else {
      PressEscape(*preview);
    }
  });
}

TLineList ColumnDrawing() {
  return SelectionFile(
      {TextEntity("2A", "10.0", "20.0", "A-1"), TextEntity("2B", "10.0", "10.0", "A-2"),
       TextEntity("2C", "10.0", "0.0", "A-3"), LineEntity("2D"), TextEntity("2E", "40.0", "20.0", "端子")},
      "1A0");
}

}  // namespace vorbel::test
