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
#include <string>

#include "base/line_list.h"
#include "dxf/text_ents.h"
#include "platform/controls.h"
#include "platform/forms.h"

namespace vorbel {

// The window's layout: every control with its caption, position, anchors,
// tab order and initial state.
const TFormLayout& Form1Layout();

class TForm1 : public TForm {
 public:
  // Builds the window and its controls and runs FormCreate.
  TForm1();
  // Runs FormDestroy.
  ~TForm1();

  // The settings file: the program's path with the extension ".ini".
  static std::string SettingsFile();

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

  // The records of the current selection, in the memo's order.
  TTextEnts TextEnts;
  // The last export, its head and tail around the entities, and the pattern
  // entity of new texts.
  TLineList DxfLines;
  TLineList DxfHead;
  TLineList DxfTail;
  TLineList DxfTemplate;
  int32_t MaxHandle = 0;
  // Where new texts continue: the points of the last record in the current
  // order.
  TDxfPoint BaseInsPoint;
  TDxfPoint BaseAlignPoint;
  // 0 idle, 101 waiting for the end of a selection, 201 waiting for the
  // placement of new texts.
  int32_t TimerMode = 0;
  // SNAPMODE as it was before a selection.
  std::string SavedSnapMode;

  // Event handlers.
  void FormCreate();
  void FormDestroy();
  void Memo1Change();
  void Button1Click();
  void CheckSortClick();
};

}  // namespace vorbel
