// The main window and the stand-in CAD side by side on the simulated desktop:
// the tests press the window's buttons, pick objects in the stand-in and tick
// the timer, and read back what AutoCAD was sent and what the drawing holds.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "base/line_list.h"
#include "dxf/text_ents.h"
#include "engine/cad_engine.h"
#include "engine/cad_options.h"
#include "headless/sim_windows.h"
#include "support/temp_dir.h"

namespace vorbel::test {

class WorkflowTest : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // A fresh stand-in with `drawing` open (snap on), reading the CAD
  // program's behaviour as `readings` say, and a fresh main window started
  // with `arguments`.
  void Start(const TLineList& drawing, std::vector<std::string> arguments = {},
             const cadsim::TCadOptions& readings = {});
  // Select, the person picks `handles` and ends with `ending`, one tick.
  void Select(const std::vector<std::string>& handles, std::string_view ending = "\r");
  // The memo's text set to `memo`, then Update pressed and carried out.
  void Update(const std::string& memo);
  // One tick of the main window's timer, 50 ms after the last.
  void Tick();
  // Lets a second pass, so that the stand-in carries out what it was sent.
  void Settle();
  // The typed input AutoCAD received since the last call, one string per
  // message.
  std::vector<std::string> TakeCommands();
  // The stand-in's drawing as it would be saved, and its texts.
  TLineList SavedDrawing();
  TTextEnts SavedTexts();
  std::string ExchangeFile() const { return dir_.File("vorbel.dxf"); }
  std::string NewTextsFile() const { return dir_.File("vorbel_new.dxf"); }
  std::string CheckFile() const { return dir_.File("vorbel_check.dxf"); }

  TTempDir dir_;
  std::unique_ptr<cadsim::TCadEngine> engine_;
  std::unique_ptr<cadsim::TSimCadWindows> windows_;
  std::unique_ptr<TForm1> form_;
  size_t seen_ = 0;
};

using TCommands = std::vector<std::string>;

// What has AutoCAD export its previous selection set into `file`.
TCommands PreviousSetExport(const std::string& file);
// That export, then the query of the UCS: what Update and Make ask of the
// drawing's state before they change it, in a drawing in the world UCS.
TCommands DrawingStateQueries(const std::string& checkFile);
// Whether a command that changes the drawing was sent.
bool ChangesTheDrawing(const TCommands& commands);
// The exploded insertion of `file` at the origin.
std::string InsertCommand(const std::string& file);

// What the preview "更新の確認" showed: its counts, its warnings, its rows
// ("内容|行|変更前|変更後") and whether Enter would have cancelled.
struct TSeenPreview {
  bool Opened = false;
  std::string Counts;
  std::string Warning;
  std::vector<std::string> Rows;
  bool CancelIsDefault = false;
};

// Has the next preview read into `seen` and then answered: 更新 when
// `update`, else キャンセル by Escape. Any other dialog fails the test.
void AnswerPreview(TSeenPreview& seen, bool update);

// The drawing of most tests: three texts in a column at x 10, a LINE and a
// fourth text to the right; handles 2A to 2E, the largest handle 1A0.
TLineList ColumnDrawing();

}  // namespace vorbel::test
