// The main window: the memo of the selected texts' strings with its two
// counters, the buttons of the workflow, and the state the whole program
// shares (the records of the selection, the DXF line lists, the timer's
// mode).
//
// Made at start-up, it restores its placement and the "座標順" option from
// the settings file beside the program; destroyed at the end, it writes them
// back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/line_list.h"
#include "dxf/text_ents.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "workflow/realign.h"
#include "workflow/selection.h"
#include "workflow/update_plan.h"
#include "workflow/world_input.h"

namespace vorbel {

class TLineCheckForm;

// The window's layout: every control with its caption, position, anchors,
// tab order and initial state.
const TFormLayout& Form1Layout();

// What the timer waits for.
enum class TTimerMode : int32_t {
  Idle = 0,
  AwaitingSelection = 101,  // the end of a selection in AutoCAD
  AwaitingPlacement = 201,  // the user placing new texts (the scale prompt)
};

class TForm1 : public TForm {
 public:
  // Builds the window and its controls and runs FormCreate. `arguments` are
  // the program's command-line arguments ("/E": end after the first update).
  explicit TForm1(std::vector<std::string> arguments = {});
  // Runs FormDestroy.
  ~TForm1();

  // The settings file: the program's path with the extension ".ini".
  static std::string SettingsFile();
  // The file of every export, update and creation: the program's path with
  // the extension ".dxf".
  static std::string ExchangeFile();
  // Beside it: the new texts of an update, and the export that checks the
  // previous selection set before an update.
  static std::string NewTextsFile();
  static std::string CheckFile();

  TButton ButtonSelect;
  TCheckBox CheckSort;
  TLabel Label5;
  TEdit Edit1;
  TLabel Label6;
  TEdit Edit2;
  TMemo Memo1;
  TLabel Label2;
  TLabel Label1;
  TLabel Label4;
  TLabel Label3;
  TCheckBox CheckXpit;
  TCheckBox CheckYpit;
  TCheckBox CheckXYpit;
  TButton ButtonUpdate;
  TButton ButtonMake;
  TButton Button1;
  TTimer Timer1;
  TPopupMenu PopupMenu1;

  // The selection the memo lists: its records, the export and what new texts
  // continue from.
  TSelection Selection;
  TTimerMode TimerMode = TTimerMode::Idle;
  // SNAPMODE as it was before a selection.
  std::string SavedSnapMode;

  // Says once, at start, when the program's folder takes no new file: the
  // settings and the exchange files live there.
  void WarnIfFolderNotWritable();

  // Event handlers.
  void FormCreate();
  void FormCloseQuery(bool& canClose);
  void FormDestroy();
  void Memo1Change();
  void Button1Click();

  // The workflow: selection and listing, update, new texts, the order of the
  // list (form1_select.cpp, form1_update.cpp, form1_make.cpp,
  // form1_order.cpp).
  void ButtonSelectClick();
  void Timer1Timer();
  void ButtonUpdateClick();
  void ButtonMakeClick();
  void CheckSortClick();
  void CheckXpitClick();
  void CheckYpitClick();
  void CheckXYpitClick();

  // Steps of the handlers that touch no window of AutoCAD's: from the
  // exported file to the filled memo, and from the memo's lines to the
  // written update file.
  bool LoadExport();
  void ListTextEnts();
  // What an update of `lines` (the memo's, trailing blank lines dropped)
  // writes, worked out on a copy of the records; the file written from it.
  TUpdatePlan PlanUpdateOf(const std::vector<std::string>& lines, double dX, double dY) const;
  void WriteUpdateFile(const TUpdatePlan& plan);

  // The memo's pop-up menu and double click (form1_menu.cpp).
  void PopupMenu1Popup();
  void N18Click();
  void n1Click();
  void N5Click();
  void Replace1Click();
  void N8Click();
  void N11Click();
  void N16Click();
  void N17Click();
  void N4Click();
  void CheckLines1Click();
  void CheckChars1Click();
  void Memo1DblClick();

  // The report of "重複・欠番を調べる" once it has been opened, else null.
  TLineCheckForm* LineCheckForm() const { return lineCheckForm_.get(); }
  // The memo's lines as they would go back to the drawing: a line the user
  // left untouched as its text's own bytes.
  std::vector<std::string> TextsForChecking() const;

 private:
  // Adds the pop-up menu's items and binds them to their handlers.
  void MakePopupMenu1();

  // The steps of a tick that ends a selection, and of one that ends the
  // placement of new texts.
  void EndSelection();
  void EndPlacement();
  // Forgets the selection when the memo no longer lists it.
  void ForgetSelection();
  // Whether edits not written back may be thrown away: true when `edited`
  // is false, else the user's answer to the question (form1_edits.cpp).
  bool MayDiscardEdits(bool edited);
  // Whether the order just clicked may list the records again; when the
  // user keeps the edits, puts the tick back as it was and says false.
  bool OrderChangeConfirmed();
  // Ends a placement still awaited (cancelling it) before other commands.
  void StopAwaitingPlacement();
  // Gives back what Make changed for the placement and ends its undo group.
  void EndPlacementGroup();
  // Has AutoCAD export its previous selection set into `file` (deleted
  // first); true once the file is there and complete.
  bool ExportPreviousSet(const std::string& file);
  // Has AutoCAD export its previous selection set into `check` (emptied
  // first): the objects ERASE P would erase and the drawing's state. True
  // when the export came whole.
  bool ExportDrawingState(TLineList& check);
  // Why the update may not go on, from that export: AutoCAD's previous
  // selection set is not exactly the listed objects (ERASE P erases that
  // set), or some of them lie on locked layers. Empty when it may.
  std::string UpdateProblem(const TLineList& check) const;
  // What the typed point and angle of an insertion would mean in AutoCAD,
  // from the export's header and the variables read from AutoCAD.
  TTypedInputState ReadTypedInputState(const TLineList& head);
  // The pitch into Edit1 and Edit2.
  void ShowPitch();
  // The memo's lines with trailing blank lines removed as Update and Make do.
  std::vector<std::string> MemoLinesForWriting();
  // The realignment of the checked pitch box; a disabled box counts as
  // unchecked.
  TRealignment ChosenRealignment() const;
  // The one confirmation before an update: the preview when it opens, else
  // the question about objects drawn again when there is one. True to go on.
  bool ConfirmUpdate(const TUpdatePreview& preview, const std::string& redrawQuestion);
  // Whether the program was started to end after its first update.
  bool EndsAfterUpdate() const;

  std::vector<std::string> arguments_;
  // What gives the user's UCS, angle base and elevation back once the
  // placement of new texts ends.
  std::vector<std::string> placementEnd_;
  // False once the folder was found to take no new file: the settings are
  // not written at the end then, the user having been told.
  bool folderWritable_ = true;
  // The report beside the window; it reads Memo1, and goes before it.
  std::unique_ptr<TLineCheckForm> lineCheckForm_;
  // True while the tick of "座標順" is put back: the click it raises lists
  // nothing.
  bool restoringOrder_ = false;
};

}  // namespace vorbel
