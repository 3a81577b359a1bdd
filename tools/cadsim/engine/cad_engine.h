// The stand-in CAD at the level of its windows' messages: typed input
// arrives as it would at the CAD program's command line (WM_COPYDATA), the
// prompt and the history are what its command-line windows answer, and the
// drawing changes as the commands are carried out.
//
// Typed input (dwData 1) is read byte by byte: a blank or CR ends an input,
// except at prompts that take a file name, where only CR does; \x03 cancels
// whatever runs; an input that begins with "'" runs a command transparently
// inside the running one. Every command is carried out, its file written or
// read, before the call returns.
//
// Pointer input (dwData 2) stands for the mouse: "PICK 2A,2B" picks entities
// by handle while objects are being selected, "PICKALL" picks all of them,
// "POINT 10,20" gives the point a prompt asks for.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/cad_windows.h"
#include "engine/drawing.h"
#include "engine/geometry.h"
#include "engine/ucs.h"

namespace vorbel::cadsim {

// The history keeps this many lines; the recent history (the text window's
// view of it) is its last kRecentLines lines.
constexpr size_t kHistoryLines = 2000;
constexpr size_t kRecentLines = 200;
// The undo history keeps the drawing as it was before each of the last
// kUndoSteps steps (a command that changed the drawing, or a group).
constexpr size_t kUndoSteps = 50;
// "UCS P" goes back through this many earlier coordinate systems.
constexpr size_t kPreviousUcsCount = 10;

class TCadEngine {
 public:
  // An empty drawing named "Drawing1.dwg".
  TCadEngine();
  // The drawing loaded from `path` (code page 932 bytes).
  explicit TCadEngine(std::string_view path);
  TCadEngine(TDrawing drawing, std::string path);

  // WM_COPYDATA: `bytes` are the cbData bytes, read up to the first NUL.
  void OnCopyData(std::uintptr_t dwData, std::string_view bytes);
  // Typed input, as OnCopyData with dwData 1.
  void Type(std::string_view keys);
  // Types `keys` up to the end of their first input (the blank or CR that
  // ends it at the prompt of the moment), or a \x03 alone; returns how many
  // bytes it took.
  size_t TypeInput(std::string_view keys);

  // For tests: changes what DXFOUT writes, as a full disk would cut it.
  std::function<void(TLineList& lines)> DxfOutFilter;
  // Writes DXFOUT's file; by default at once and whole, before the command
  // returns. The shells can write it later instead, as a slow disk does.
  std::function<void(const std::string& file, const TLineList& lines)> WriteExport;

  // Readings of the CAD program's behaviour where it is not certain:
  // - a blank ends file names too (typed input read strictly: a blank or CR
  //   ends every input);
  // - the count line at the end of a selection: "総数 N オブジェクトを選択しました。"
  //   or "認識された数: N" alone on its line;
  // - ERASE leaves the objects on locked layers (the lock itself is kept
  //   and changed by -LAYER in every reading);
  // - running object snaps act on typed points: a point typed at the
  //   insertion point prompt lands on the nearest end point or insertion
  //   point within this many drawing units (after the UCS and the ELEVATION
  //   have made it a world point);
  // - -INSERT inserts the model-space entities of the file only, into the
  //   current space;
  // - typed points are values in the current UCS ("*x,y" in the world's)
  //   and typed angles are measured from the UCS's X axis;
  // - typed angles are measured from ANGBASE;
  // - a typed point of two coordinates lies at the current ELEVATION.
  // Without the last three typed points and angles are world values.
  enum class TCountLine { Total, Recognized };
  bool BlankEndsFileNames = false;
  TCountLine CountLine = TCountLine::Total;
  bool LockedLayers = false;
  std::optional<double> TypedPointSnap;
  bool ModelSpaceOnly = false;
  bool PointsInUcs = false;
  bool AnglesFromAngBase = false;
  bool ElevationOfFlatPoints = false;

  // Writes a line into the history, as the command line reports a failure.
  void Report(std::string line) { AddLine(std::move(line)); }

  // The current prompt with what has been typed at it so far.
  std::string PromptText() const;
  // The last kRecentLines lines of the history, each followed by CR LF.
  std::string RecentHistory() const;
  // The whole history, each line followed by CR LF (the current prompt,
  // still open, is not part of it).
  std::string FullHistory() const;

  // Picks while objects are being selected: each call is one pick, echoed
  // as the CAD program echoes a pick. False when no selection runs.
  bool Pick(std::string_view handle);
  bool PickHandles(const std::vector<std::string>& handles);
  bool PickAll();
  // Every entity "ALL" and PickAll select: with ModelSpaceOnly those of the
  // current space, else all of them.
  std::vector<std::string> AllSelectable() const;
  // The entity nearest to `at` within `tolerance` drawing units.
  bool PickAt(TPoint2 at, double tolerance);
  // Gives the point that the prompt asks for (the insertion point); false
  // when no prompt asks for a point.
  bool PlacePoint(const TDxfPoint& point);

  bool IsIdle() const { return runs_.empty(); }
  bool IsSelecting() const;
  bool WantsPoint() const;
  // The objects picked so far by the running selection.
  std::vector<std::string> PendingSelection() const;
  // The previous selection set ("P"), as far as its entities still exist.
  std::vector<std::string> PreviousSelection() const;

  const TDrawing& Drawing() const { return drawing_; }
  // The drawing's file, and its name as the window titles show it.
  const std::string& DrawingPath() const { return path_; }
  std::string DrawingName() const;
  // Changes whenever entities are erased or inserted, an undo brings an
  // earlier drawing back, or the drawing is saved under another name.
  uint64_t DrawingVersion() const { return version_; }

  int32_t SnapMode() const { return snapMode_; }
  int32_t FileDia() const { return fileDia_; }
  // The settings the drawing's header keeps: the current UCS, ANGBASE
  // (radians), ELEVATION and UCSFOLLOW.
  TUcs Ucs() const { return DrawingUcs(drawing_); }
  double AngBase() const;
  double Elevation() const;
  int32_t UcsFollow() const;
  // The view's twist in degrees: while UCSFOLLOW is 1 every change of the
  // UCS turns the view to the plan of the new UCS, so that its X axis points
  // to the right: the twist is minus the angle of the UCS's X axis (-180 up
  // to 180). The Win32 plan does not turn with it.
  double ViewTwist() const { return viewTwist_; }

 private:
  enum class TStep {
    kVarValue,
    kSelectObjects,
    kDxfOutFile,
    kDxfOutOption,
    kDxfOutVersion,
    kInsertName,
    kInsertPoint,
    kInsertScale,
    kInsertRotation,
    kSaveAsFile,
    kUndoOption,
    kLayerOption,
    kLayerNames,
    kUcsOption,
    kUcsOrigin,
    kUcsMoveOrigin,
    kUcsTurn,
    kAngBaseValue,
    kElevationValue,
  };

  // The objects a selection has picked, in pick order.
  struct TSelection {
    std::vector<std::string> handles;
    std::unordered_set<std::string> members;
  };

  // One step of the undo history: what U echoes when it takes the step back
  // (the command's name or "グループ") and the whole drawing before it.
  struct TUndoStep {
    std::string name;
    TDrawing before;
  };

  // A command that runs: its name, the prompt it shows and what it has
  // gathered so far.
  struct TRun {
    std::string name;
    TStep step = TStep::kVarValue;
    bool transparent = false;
    TSelection selection;
    bool removing = false;
    std::string file;
    int32_t decimals = kMaxDecimals;
    bool objectsChosen = false;
    std::vector<std::string> objects;
    std::optional<TDrawing> source;
    TPlacement placement;
    bool noSnap = false;   // "_non": the next point is taken as typed
    bool locking = false;  // -LAYER asks for the layers to lock, else to unlock
    bool changed = false;  // the command has made its step of the undo history
  };

  std::string PromptOf(const TRun& run) const;
  std::string CurrentPrompt() const;
  bool TakesFileName() const;

  bool TypeKey(char c);
  void AddLine(std::string line);
  void AppendToLastLine(std::string_view text);
  void EndInput();
  void Cancel();
  void Dispatch(const std::string& input);
  void StartCommand(const std::string& input, bool transparent);
  void FinishRun();

  void OnVarValue(TRun& run, const std::string& input);
  void OnSelectObjects(TRun& run, const std::string& input);
  void AddToSelection(TRun& run, const std::vector<std::string>& found, bool typed);
  void EndSelection(TRun& run);
  void EraseObjects(const std::vector<std::string>& chosen);
  void OnDxfOutFile(TRun& run, const std::string& input);
  void OnDxfOutOption(TRun& run, const std::string& input);
  void OnDxfOutVersion(TRun& run, const std::string& input);
  void WriteDxfOut(TRun& run);
  void OnInsertName(TRun& run, const std::string& input);
  void OnInsertPoint(TRun& run, const std::string& input);
  void OnInsertScale(TRun& run, const std::string& input);
  void OnInsertRotation(TRun& run, const std::string& input);
  TDxfPoint SnappedPoint(TRun& run, const TDxfPoint& typed) const;
  void OnSaveAsFile(TRun& run, const std::string& input);
  void OnUndoOption(TRun& run, const std::string& input);
  void OnLayerOption(TRun& run, const std::string& input);
  void OnLayerNames(TRun& run, const std::string& input);
  void OnUcsOption(TRun& run, const std::string& input);
  void OnUcsOrigin(TRun& run, const std::string& input);
  void OnUcsTurn(TRun& run, const std::string& input);
  void OnAngBaseValue(TRun& run, const std::string& input);
  void OnElevationValue(TRun& run, const std::string& input);
  void ChangeUcs(const TUcs& ucs, bool keepPrevious);
  void ChangeHeader(const std::string& name, const std::function<bool(TDrawing&)>& change);
  std::optional<TDxfPoint> TypedPoint(std::string_view text) const;
  void Changed(const std::string& name, TDrawing before);
  void BeginUndoGroup();
  void Undo(size_t count);
  void OnPointerInput(std::string_view text);

  static bool IsSwitch(std::string_view name);
  int32_t SwitchValue(std::string_view name) const;
  void SetSwitch(std::string_view name, int32_t value);
  std::string DefaultDxfFile() const;
  std::vector<std::string> Existing(const std::vector<std::string>& handles) const;

  TDrawing drawing_;
  std::string path_;
  uint64_t version_ = 0;
  std::deque<std::string> history_;
  std::string input_;
  std::vector<TRun> runs_;  // the running command, then a transparent one inside it
  std::vector<std::string> previous_;
  std::string lastCommand_;
  int32_t snapMode_ = 0;
  int32_t fileDia_ = 1;
  // The coordinate systems before the last changes, the latest last.
  std::vector<TUcs> previousUcs_;
  double viewTwist_ = 0;
  // The undo history, oldest first. While a group is open (UNDO BE until
  // UNDO E) its step is the last one and the commands inside it add none.
  std::deque<TUndoStep> undo_;
  bool undoGroupOpen_ = false;
};

}  // namespace vorbel::cadsim
