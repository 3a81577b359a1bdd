#include "engine/cad_engine.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <numbers>

#include "base/errors.h"
#include "base/files.h"
#include "base/numbers.h"
#include "cp932/cp932.h"
#include "dxf/dxf_slices.h"
#include "engine/object_snap.h"
#include "engine/units.h"

namespace vorbel::cadsim {

namespace {

// What the command line shows.
constexpr std::string_view kIdlePrompt = "コマンド: ";
constexpr std::string_view kTransparentMark = ">>";
constexpr std::string_view kCancelled = "*キャンセル*";
constexpr std::string_view kSelectPrompt = "オブジェクトを選択: ";
constexpr std::string_view kRemovePrompt = "オブジェクトを除外: ";
constexpr std::string_view kNewValue = " の新しい値を入力 <";
constexpr std::string_view kFileNamePrompt = "ファイル名を入力 <";
constexpr std::string_view kDxfOutOptions =
    "精度の小数点以下の桁数を入力 (0 - 16) または [オブジェクト(O)/バージョン(V)/バイナリ(B)] <";
constexpr std::string_view kDxfOutBinaryOnly = "精度の小数点以下の桁数を入力 (0 - 16) または [バイナリ(B)] <";
constexpr std::string_view kDxfOutVersion = "書き出すバージョンを入力 [R12/2000] <2000>: ";
constexpr std::string_view kInsertName = "ブロック名を入力 または [?]: ";
constexpr std::string_view kInsertPoint = "挿入点を指定: ";
constexpr std::string_view kInsertScale = "尺度を指定: <1>: ";
constexpr std::string_view kInsertRotation = "回転角度を指定 <0>: ";
constexpr std::string_view kSaveAsPrompt = "保存するファイル名を入力 <";
constexpr std::string_view kUndoPrompt =
    "取り消す操作の数を入力 または [自動(A)/コントロール(C)/開始(BE)/終了(E)/マーク(M)/後退(B)] <1>: ";
constexpr std::string_view kLayerPrompt = "オプションを入力 [ロック(LO)/ロック解除(U)]: ";
constexpr std::string_view kLockPrompt = "ロックする画層名を入力: ";
constexpr std::string_view kUnlockPrompt = "ロック解除する画層名を入力: ";
constexpr std::string_view kUcsPrompt =
    "UCS のオプションを入力 [新規(N)/移動(M)/前(P)/ワールド(W)] <ワールド>: ";
constexpr std::string_view kUcsOriginPrompt = "新しい UCS の原点を指定 または [Z] <0,0,0>: ";
constexpr std::string_view kUcsMovePrompt = "新しい原点を指定 <0,0,0>: ";
constexpr std::string_view kUcsTurnPrompt = "Z 軸回りの回転角度を指定 <90>: ";

// What it answers.
constexpr std::string_view kFound = " 個を検出";
constexpr std::string_view kSelectedTotal = "総数 ";
constexpr std::string_view kSelectedTotalEnd = " オブジェクトを選択しました。";
constexpr std::string_view kRecognized = "認識された数: ";
constexpr std::string_view kResuming = " コマンドを再開します。";
constexpr std::string_view kInvalidSelection = "*無効な選択です*";
constexpr std::string_view kSelectionHelp =
    "点を指定するか、または [すべて(ALL)/最後(L)/追加(A)/除外(R)/前回(P)]";
constexpr std::string_view kUnknownCommand = "未定義のコマンド \"";
constexpr std::string_view kUnknownCommandEnd = "\"。F1 キーを押すとヘルプが表示されます。";
constexpr std::string_view kNotTransparent = "** このコマンドは透過的に使用できません **";
constexpr std::string_view kNestedTransparent = "** 透過コマンドを入れ子にすることはできません **";
constexpr std::string_view kNeedBinaryValue = "0 から 1 までの整数を入力してください。";
constexpr std::string_view kNeedDecimals = "0 から 16 までの整数、またはオプション キーワードが必要です。";
constexpr std::string_view kNoBinary = "この代替 CAD はバイナリ DXF を書き出しません。";
constexpr std::string_view kOnly2000 = "この代替 CAD は 2000 形式だけを書き出します。";
constexpr std::string_view kInvalidKeyword = "無効なオプション キーワードです。";
constexpr std::string_view kOnlyExploded = "この代替 CAD はファイルの分解挿入 (*ファイル名) だけを行います。";
constexpr std::string_view kNoBlockList = "この代替 CAD はブロックの一覧を持ちません。";
constexpr std::string_view kFileNotFound = "ファイル \"";
constexpr std::string_view kFileNotFoundEnd = "\" が見つかりません。";
constexpr std::string_view kIncompleteFile = "DXF ファイルが不完全です (EOF がありません): ";
constexpr std::string_view kNeedPoint = "点、またはオプション キーワードが必要です。";
constexpr std::string_view kNeedNumber = "数値が必要です。";
constexpr std::string_view kNeedNonZero = "値は 0 以外にしてください。";
constexpr std::string_view kNeedAngle = "角度が必要です。";
constexpr std::string_view kNeedPositive = "値は正で 0 以外にしてください。";
constexpr std::string_view kUndoOptionsDone =
    "この代替 CAD の UNDO は数、開始 (BE)、終了 (E) だけを行います。";
constexpr std::string_view kNothingToUndo = "取り消す操作はありません。";
constexpr std::string_view kUndoGroupName = "グループ";
constexpr std::string_view kOnLockedLayers = " 個はロックされた画層上にあります。";
constexpr std::string_view kLayerNotFound = "画層 \"";
constexpr std::string_view kLayerNotFoundEnd = "\" が見つかりません。";
constexpr std::string_view kNoPreviousUcs = "前の UCS はありません。";
constexpr std::string_view kReadOnly = " (読み込み専用)";

constexpr std::string_view kDefaultDrawing = "Drawing1.dwg";

std::string Count(size_t n) { return std::to_string(n); }

// The file name part of a path.
std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool HasExtension(std::string_view path) { return BaseName(path).find('.') != std::string_view::npos; }

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  const std::string_view name = BaseName(path);
  const size_t dot = name.rfind('.');
  const size_t keep = dot == std::string_view::npos ? path.size() : path.size() - name.size() + dot;
  return std::string(path.substr(0, keep)) + std::string(extension);
}

// A file name as typed: blanks around it and enclosing quotes go.
std::string TypedFileName(std::string_view input) {
  std::string_view name = TrimBlanks(input);
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
  return std::string(name);
}

std::optional<TDxfPoint> ReadPoint(std::string_view text) {
  TDxfPoint point;
  double* parts[] = {&point.X, &point.Y, &point.Z};
  size_t count = 0;
  while (true) {
    const size_t comma = text.find(',');
    if (count == 3) return std::nullopt;
    const auto value = TryStrToFloat(text.substr(0, comma));
    if (!value) return std::nullopt;
    *parts[count++] = *value;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (count < 2) return std::nullopt;
  return point;
}

std::vector<std::string> SplitHandles(std::string_view text) {
  std::vector<std::string> handles;
  std::string current;
  for (char c : text) {
    if (c == ',' || static_cast<unsigned char>(c) <= ' ') {
      if (!current.empty()) handles.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) handles.push_back(std::move(current));
  return handles;
}

// A whole number written in decimal digits, with an optional sign.
std::optional<int32_t> ReadWholeNumber(std::string_view text) {
  const std::string_view digits = text.starts_with('-') || text.starts_with('+') ? text.substr(1) : text;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  return TryStrToInt(text);
}

// The one-time override of running object snaps at a point prompt.
bool IsNoSnap(std::string_view input) {
  const std::string word = UpperAscii(TrimBlanks(input));
  return word == "_NON" || word == "NON" || word == "_NONE" || word == "NONE";
}

// The names of a list separated by commas, blanks around each dropped.
std::vector<std::string> SplitNames(std::string_view text) {
  std::vector<std::string> names;
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view name = TrimBlanks(text.substr(0, comma));
    if (!name.empty()) names.emplace_back(name);
    if (comma == std::string_view::npos) return names;
    text.remove_prefix(comma + 1);
  }
}

// The file's entities of model space only, as the CAD program inserts a file.
void DropPaperSpace(TDrawing& drawing) {
  std::vector<std::string> paper;
  for (const TEntity& entity : drawing.Entities()) {
    if (InPaperSpace(entity)) paper.push_back(entity.Handle);
  }
  drawing.Erase(paper);
}

bool IsTransparentCommand(std::string_view name) {
  return name == "SNAPMODE" || name == "FILEDIA" || name == "WORLDUCS" || name == "UCSFOLLOW" ||
         name == "ANGBASE" || name == "ELEVATION";
}

// An option keyword as typed: any letter case, with or without the leading
// "_" of the international keyword.
std::string OptionKeyword(std::string_view input) {
  std::string option = UpperAscii(TrimBlanks(input));
  if (option.starts_with('_')) option.erase(0, 1);
  return option;
}

// The angle units of $AUNITS; the decimal degrees for a value out of range.
TAngleUnits AngleUnits(int32_t value) {
  return value >= 0 && value <= 4 ? static_cast<TAngleUnits>(value) : TAngleUnits::Degrees;
}

// An option keyword typed as the CAD program takes it: the whole word or its
// beginning, at least `shortest` letters ("BE", "BEG" ... "BEGIN").
bool IsKeyword(std::string_view typed, std::string_view word, size_t shortest) {
  return typed.size() >= shortest && word.starts_with(typed);
}

}  // namespace

TCadEngine::TCadEngine() : TCadEngine(TDrawing(), std::string(kDefaultDrawing)) {}

TCadEngine::TCadEngine(std::string_view path) : TCadEngine(TDrawing::Load(path), std::string(path)) {}

TCadEngine::TCadEngine(TDrawing drawing, std::string path)
    : drawing_(std::move(drawing)), path_(std::move(path)) {}

std::string TCadEngine::DrawingName() const { return std::string(BaseName(path_)); }

// --- Input -------------------------------------------------------------------

void TCadEngine::OnCopyData(std::uintptr_t dwData, std::string_view bytes) {
  const size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  if (dwData == kTypedInput) Type(bytes);
  if (dwData == kPointerInput) OnPointerInput(bytes);
}

void TCadEngine::Type(std::string_view keys) {
  for (const char c : keys) TypeKey(c);
}

size_t TCadEngine::TypeInput(std::string_view keys) {
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == '\x03' && i > 0) return i;
    if (TypeKey(keys[i])) return i + 1;
  }
  return keys.size();
}

// One keystroke; true when it ended an input or cancelled.
bool TCadEngine::TypeKey(char c) {
  if (c == '\x03') {
    Cancel();
    return true;
  }
  if (c == '\r' || c == '\n' || (c == ' ' && (BlankEndsFileNames || !TakesFileName()))) {
    EndInput();
    return true;
  }
  if (c == '\b') {
    // Back over the last character, both bytes of a double-byte one.
    size_t last = 0;
    for (size_t i = 0; i < input_.size(); i += IsLeadByte(input_[i]) ? 2u : 1u) last = i;
    input_.resize(std::min(last, input_.size()));
  } else if (static_cast<unsigned char>(c) >= ' ' || c == '\t') {
    input_ += c == '\t' ? ' ' : c;
  }
  return false;
}

void TCadEngine::OnPointerInput(std::string_view text) {
  text = TrimBlanks(text);
  const std::string upper = UpperAscii(text);
  if (upper == "PICKALL") {
    PickAll();
  } else if (upper.starts_with("PICK ")) {
    PickHandles(SplitHandles(text.substr(5)));
  } else if (upper.starts_with("POINT ")) {
    if (const auto point = ReadPoint(TrimBlanks(text.substr(6)))) PlacePoint(*point);
  }
}

void TCadEngine::EndInput() {
  const std::string input = std::move(input_);
  input_.clear();
  AddLine(CurrentPrompt() + input);
  try {
    Dispatch(input);
  } catch (const std::exception& error) {
    // A file that cannot be read or written ends the command with the
    // runtime's message, as the CAD program shows it.
    AddLine(error.what());
    runs_.clear();
  }
}

void TCadEngine::Cancel() {
  AddLine(CurrentPrompt() + input_ + std::string(kCancelled));
  input_.clear();
  runs_.clear();
}

void TCadEngine::Dispatch(const std::string& input) {
  const std::string_view trimmed = TrimBlanks(input);
  if (trimmed.size() > 1 && trimmed.front() == '\'') {
    StartCommand(std::string(trimmed.substr(1)), !runs_.empty());
    return;
  }
  if (runs_.empty()) {
    if (trimmed.empty()) {
      if (!lastCommand_.empty()) StartCommand(lastCommand_, false);
      return;
    }
    StartCommand(std::string(trimmed), false);
    return;
  }
  TRun& run = runs_.back();
  switch (run.step) {
    case TStep::kVarValue:
      OnVarValue(run, input);
      break;
    case TStep::kSelectObjects:
      OnSelectObjects(run, input);
      break;
    case TStep::kDxfOutFile:
      OnDxfOutFile(run, input);
      break;
    case TStep::kDxfOutOption:
      OnDxfOutOption(run, input);
      break;
    case TStep::kDxfOutVersion:
      OnDxfOutVersion(run, input);
      break;
    case TStep::kInsertName:
      OnInsertName(run, input);
      break;
    case TStep::kInsertPoint:
      OnInsertPoint(run, input);
      break;
    case TStep::kInsertScale:
      OnInsertScale(run, input);
      break;
    case TStep::kInsertRotation:
      OnInsertRotation(run, input);
      break;
    case TStep::kSaveAsFile:
      OnSaveAsFile(run, input);
      break;
    case TStep::kUndoOption:
      OnUndoOption(run, input);
      break;
    case TStep::kLayerOption:
      OnLayerOption(run, input);
      break;
    case TStep::kLayerNames:
      OnLayerNames(run, input);
      break;
    case TStep::kUcsOption:
      OnUcsOption(run, input);
      break;
    case TStep::kUcsOrigin:
    case TStep::kUcsMoveOrigin:
      OnUcsOrigin(run, input);
      break;
    case TStep::kUcsTurn:
      OnUcsTurn(run, input);
      break;
    case TStep::kAngBaseValue:
      OnAngBaseValue(run, input);
      break;
    case TStep::kElevationValue:
      OnElevationValue(run, input);
      break;
  }
}

void TCadEngine::StartCommand(const std::string& typed, bool transparent) {
  std::string name = UpperAscii(typed);
  while (!name.empty() && (name.front() == '_' || name.front() == '.')) name.erase(0, 1);
  if (name == "E") name = "ERASE";
  if (name == "INSERT" || name == "I" || name == "-I") name = "-INSERT";
  if (name == "LAYER" || name == "LA" || name == "-LA") name = "-LAYER";
  if (transparent) {
    if (runs_.back().transparent) {
      AddLine(std::string(kNestedTransparent));
      return;
    }
    if (!IsTransparentCommand(name)) {
      AddLine(std::string(kNotTransparent));
      return;
    }
  }
  if (name == "U") {
    lastCommand_ = name;
    Undo(1);
    return;
  }
  if (name == "WORLDUCS") {
    // A read-only variable: its value, and no prompt.
    if (!transparent) lastCommand_ = name;
    AddLine(name + " = " + (IsWorld(Ucs()) ? "1" : "0") + std::string(kReadOnly));
    if (transparent) AddLine(runs_.back().name + std::string(kResuming));
    return;
  }
  TRun run;
  run.name = name;
  run.transparent = transparent;
  if (IsSwitch(name)) {
    run.step = TStep::kVarValue;
  } else if (name == "ANGBASE") {
    run.step = TStep::kAngBaseValue;
  } else if (name == "ELEVATION") {
    run.step = TStep::kElevationValue;
  } else if (name == "UCS") {
    run.step = TStep::kUcsOption;
  } else if (name == "SELECT" || name == "ERASE") {
    run.step = TStep::kSelectObjects;
  } else if (name == "DXFOUT") {
    run.step = TStep::kDxfOutFile;
  } else if (name == "-INSERT") {
    run.step = TStep::kInsertName;
  } else if (name == "SAVEAS") {
    run.step = TStep::kSaveAsFile;
  } else if (name == "UNDO") {
    run.step = TStep::kUndoOption;
  } else if (name == "-LAYER") {
    run.step = TStep::kLayerOption;
  } else {
    AddLine(std::string(kUnknownCommand) + typed + std::string(kUnknownCommandEnd));
    return;
  }
  if (!transparent) lastCommand_ = name;
  runs_.push_back(std::move(run));
}

void TCadEngine::FinishRun() {
  if (runs_.empty()) return;
  runs_.pop_back();
  if (!runs_.empty()) AddLine(runs_.back().name + std::string(kResuming));
}

// --- Prompts and history -----------------------------------------------------

bool TCadEngine::IsSwitch(std::string_view name) {
  return name == "SNAPMODE" || name == "FILEDIA" || name == "UCSFOLLOW";
}

int32_t TCadEngine::SwitchValue(std::string_view name) const {
  if (name == "SNAPMODE") return snapMode_;
  if (name == "FILEDIA") return fileDia_;
  if (name == "UCSFOLLOW") return UcsFollow();
  return 0;
}

void TCadEngine::SetSwitch(std::string_view name, int32_t value) {
  if (name == "SNAPMODE") snapMode_ = value;
  if (name == "FILEDIA") fileDia_ = value;
  // UCSFOLLOW belongs to the drawing, so that an undo brings it back.
  if (name == "UCSFOLLOW") {
    ChangeHeader(std::string(name),
                 [value](TDrawing& drawing) { return drawing.SetHeaderInt("$UCSFOLLOW", 70, value); });
  }
}

double TCadEngine::AngBase() const { return drawing_.HeaderReal("$ANGBASE", 50).value_or(0); }

double TCadEngine::Elevation() const { return drawing_.HeaderReal("$ELEVATION", 40).value_or(0); }

int32_t TCadEngine::UcsFollow() const { return drawing_.HeaderInt("$UCSFOLLOW", 70).value_or(0); }

std::string TCadEngine::DefaultDxfFile() const { return ReplaceExtension(path_, ".dxf"); }

std::string TCadEngine::PromptOf(const TRun& run) const {
  std::string prompt = run.transparent ? std::string(kTransparentMark) : std::string();
  switch (run.step) {
    case TStep::kVarValue: {
      prompt += run.name + std::string(kNewValue) + std::to_string(SwitchValue(run.name)) + ">: ";
      break;
    }
    case TStep::kSelectObjects:
      prompt += run.removing ? kRemovePrompt : kSelectPrompt;
      break;
    case TStep::kDxfOutFile:
      prompt += std::string(kFileNamePrompt) + DefaultDxfFile() + ">: ";
      break;
    case TStep::kDxfOutOption:
      prompt += std::string(run.objectsChosen ? kDxfOutBinaryOnly : kDxfOutOptions) +
                std::to_string(kMaxDecimals) + ">: ";
      break;
    case TStep::kDxfOutVersion:
      prompt += kDxfOutVersion;
      break;
    case TStep::kInsertName:
      prompt += kInsertName;
      break;
    case TStep::kInsertPoint:
      prompt += kInsertPoint;
      break;
    case TStep::kInsertScale:
      prompt += kInsertScale;
      break;
    case TStep::kInsertRotation:
      prompt += kInsertRotation;
      break;
    case TStep::kSaveAsFile:
      prompt += std::string(kSaveAsPrompt) + DefaultDxfFile() + ">: ";
      break;
    case TStep::kUndoOption:
      prompt += kUndoPrompt;
      break;
    case TStep::kLayerOption:
      prompt += kLayerPrompt;
      break;
    case TStep::kLayerNames:
      prompt += run.locking ? kLockPrompt : kUnlockPrompt;
      break;
    case TStep::kUcsOption:
      prompt += kUcsPrompt;
      break;
    case TStep::kUcsOrigin:
      prompt += kUcsOriginPrompt;
      break;
    case TStep::kUcsMoveOrigin:
      prompt += kUcsMovePrompt;
      break;
    case TStep::kUcsTurn:
      prompt += kUcsTurnPrompt;
      break;
    case TStep::kAngBaseValue:
      prompt += run.name + std::string(kNewValue) +
                FormatAngle(AngBase(), AngleUnits(drawing_.HeaderInt("$AUNITS", 70).value_or(0)),
                            drawing_.HeaderInt("$AUPREC", 70).value_or(0)) +
                ">: ";
      break;
    case TStep::kElevationValue:
      prompt += run.name + std::string(kNewValue) +
                FormatLength(Elevation(), drawing_.HeaderInt("$LUPREC", 70).value_or(4)) + ">: ";
      break;
  }
  return prompt;
}

std::string TCadEngine::CurrentPrompt() const {
  return runs_.empty() ? std::string(kIdlePrompt) : PromptOf(runs_.back());
}

bool TCadEngine::TakesFileName() const {
  if (runs_.empty()) return false;
  const TStep step = runs_.back().step;
  return step == TStep::kDxfOutFile || step == TStep::kInsertName || step == TStep::kSaveAsFile;
}

std::string TCadEngine::PromptText() const { return CurrentPrompt() + input_; }

void TCadEngine::AddLine(std::string line) {
  history_.push_back(std::move(line));
  while (history_.size() > kHistoryLines) history_.pop_front();
}

void TCadEngine::AppendToLastLine(std::string_view text) {
  if (history_.empty()) history_.emplace_back();
  history_.back() += text;
}

std::string TCadEngine::RecentHistory() const {
  std::string text;
  const size_t first = history_.size() > kRecentLines ? history_.size() - kRecentLines : 0;
  for (size_t i = first; i < history_.size(); ++i) {
    text += history_[i];
    text += "\r\n";
  }
  return text;
}

std::string TCadEngine::FullHistory() const {
  std::string text;
  for (const std::string& line : history_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// --- System variables --------------------------------------------------------

void TCadEngine::OnVarValue(TRun& run, const std::string& input) {
  const std::string_view value = TrimBlanks(input);
  if (!value.empty()) {
    const auto number = ReadWholeNumber(value);
    if (!number || *number < 0 || *number > 1) {
      AddLine(std::string(kNeedBinaryValue));
      return;
    }
    SetSwitch(run.name, *number);
  }
  FinishRun();
}

// --- Selection ---------------------------------------------------------------

bool TCadEngine::IsSelecting() const { return !runs_.empty() && runs_.back().step == TStep::kSelectObjects; }

bool TCadEngine::WantsPoint() const { return !runs_.empty() && runs_.back().step == TStep::kInsertPoint; }

std::vector<std::string> TCadEngine::PendingSelection() const {
  for (const TRun& run : runs_) {
    if (run.step == TStep::kSelectObjects) return run.selection.handles;
  }
  return {};
}

std::vector<std::string> TCadEngine::Existing(const std::vector<std::string>& handles) const {
  std::vector<std::string> alive;
  for (const std::string& handle : handles) {
    if (drawing_.Find(handle) != std::string::npos) alive.push_back(handle);
  }
  return alive;
}

std::vector<std::string> TCadEngine::PreviousSelection() const { return Existing(previous_); }

void TCadEngine::OnSelectObjects(TRun& run, const std::string& input) {
  const std::string keyword = UpperAscii(TrimBlanks(input));
  const auto& entities = drawing_.Entities();
  if (keyword.empty()) {
    EndSelection(run);
  } else if (keyword == "ALL") {
    AddToSelection(run, AllSelectable(), true);
  } else if (keyword == "P") {
    AddToSelection(run, PreviousSelection(), true);
  } else if (keyword == "L") {
    std::vector<std::string> last;
    if (!entities.empty()) last.push_back(entities.back().Handle);
    AddToSelection(run, last, true);
  } else if (keyword == "R") {
    run.removing = true;
  } else if (keyword == "A") {
    run.removing = false;
  } else {
    AddLine(std::string(kInvalidSelection));
    AddLine(std::string(kSelectionHelp));
  }
}

void TCadEngine::AddToSelection(TRun& run, const std::vector<std::string>& found, bool typed) {
  TSelection& selection = run.selection;
  const bool hadObjects = !selection.handles.empty();
  std::string echo = Count(found.size()) + std::string(kFound);
  if (run.removing) {
    size_t removed = 0;
    for (const std::string& handle : found) {
      const std::string key = UpperAscii(handle);
      if (selection.members.erase(key) == 0) continue;
      std::erase(selection.handles, key);
      ++removed;
    }
    echo += "、" + Count(removed) + " 個を除外、合計 " + Count(selection.handles.size()) + " 個";
  } else {
    size_t duplicates = 0;
    for (const std::string& handle : found) {
      const std::string key = UpperAscii(handle);
      if (selection.members.insert(key).second) {
        selection.handles.push_back(key);
      } else {
        ++duplicates;
      }
    }
    if (duplicates > 0) echo += " (" + Count(duplicates) + " 個重複)";
    if (hadObjects) echo += "、合計 " + Count(selection.handles.size()) + " 個";
  }
  AppendToLastLine(typed ? " " + echo : echo);
}

void TCadEngine::EndSelection(TRun& run) {
  const std::vector<std::string> chosen = Existing(run.selection.handles);
  if (!chosen.empty()) previous_ = chosen;
  if (run.name == "SELECT") {
    if (CountLine == TCountLine::Recognized) {
      AddLine(std::string(kRecognized) + Count(chosen.size()));
    } else {
      AddLine(std::string(kSelectedTotal) + Count(chosen.size()) + std::string(kSelectedTotalEnd));
    }
    FinishRun();
  } else if (run.name == "ERASE") {
    EraseObjects(chosen);
    FinishRun();
  } else {
    run.objects = chosen;
    run.objectsChosen = true;
    run.selection = {};
    run.removing = false;
    run.step = TStep::kDxfOutOption;
  }
}

// ERASE: the objects chosen go, but those on locked layers stay when the
// locks are honoured, counted on a line of their own.
void TCadEngine::EraseObjects(const std::vector<std::string>& chosen) {
  std::vector<std::string> erased = chosen;
  if (LockedLayers) {
    const std::unordered_set<std::string> locked = drawing_.LockedLayers();
    std::erase_if(erased, [this, &locked](const std::string& handle) {
      return locked.contains(LayerKey(EntityLayer(drawing_.Entities()[drawing_.Find(handle)])));
    });
  }
  TDrawing before = drawing_;
  if (drawing_.Erase(erased) > 0) Changed("ERASE", std::move(before));
  if (erased.size() < chosen.size())
    AddLine(Count(chosen.size() - erased.size()) + std::string(kOnLockedLayers));
}

bool TCadEngine::PickHandles(const std::vector<std::string>& handles) {
  if (!IsSelecting()) return false;
  AddLine(CurrentPrompt());
  input_.clear();
  AddToSelection(runs_.back(), Existing(handles), false);
  return true;
}

bool TCadEngine::Pick(std::string_view handle) { return PickHandles({std::string(handle)}); }

bool TCadEngine::PickAll() { return PickHandles(AllSelectable()); }

std::vector<std::string> TCadEngine::AllSelectable() const {
  // Where the drawing has spaces, only the current one's objects can be
  // selected.
  const bool paper = drawing_.PaperSpaceIsCurrent();
  std::vector<std::string> all;
  for (const TEntity& entity : drawing_.Entities()) {
    if (!ModelSpaceOnly || InPaperSpace(entity) == paper) all.push_back(entity.Handle);
  }
  return all;
}

bool TCadEngine::PickAt(TPoint2 at, double tolerance) {
  if (!IsSelecting()) return false;
  const size_t i = NearestEntity(drawing_.Entities(), at, tolerance);
  if (i == std::string::npos) return false;
  return Pick(drawing_.Entities()[i].Handle);
}

// --- DXFOUT ------------------------------------------------------------------

void TCadEngine::OnDxfOutFile(TRun& run, const std::string& input) {
  std::string file = TypedFileName(input);
  if (file.empty()) file = DefaultDxfFile();
  if (!HasExtension(file)) file += ".dxf";
  run.file = file;
  run.step = TStep::kDxfOutOption;
}

void TCadEngine::OnDxfOutOption(TRun& run, const std::string& input) {
  const std::string keyword = UpperAscii(TrimBlanks(input));
  if (keyword.empty()) {
    run.decimals = kMaxDecimals;
    WriteDxfOut(run);
  } else if (keyword == "O" && !run.objectsChosen) {
    run.step = TStep::kSelectObjects;
  } else if (keyword == "V" && !run.objectsChosen) {
    run.step = TStep::kDxfOutVersion;
  } else if (keyword == "B") {
    AddLine(std::string(kNoBinary));
  } else if (const auto decimals = ReadWholeNumber(keyword);
             decimals && *decimals >= 0 && *decimals <= kMaxDecimals) {
    run.decimals = *decimals;
    WriteDxfOut(run);
  } else {
    AddLine(std::string(kNeedDecimals));
  }
}

void TCadEngine::OnDxfOutVersion(TRun& run, const std::string& input) {
  const std::string keyword = UpperAscii(TrimBlanks(input));
  if (keyword == "R12") AddLine(std::string(kOnly2000));
  if (keyword.empty() || keyword == "2000" || keyword == "R12") {
    run.step = TStep::kDxfOutOption;
    return;
  }
  AddLine(std::string(kInvalidKeyword));
}

void TCadEngine::WriteDxfOut(TRun& run) {
  // Without the objects option the whole drawing goes out; with it only the
  // chosen objects, none when nothing was chosen.
  std::vector<bool> keep;
  if (run.objectsChosen && drawing_.size() > 0) {
    keep.assign(drawing_.size(), false);
    for (const std::string& handle : run.objects) {
      const size_t i = drawing_.Find(handle);
      if (i != std::string::npos) keep[i] = true;
    }
  }
  TLineList lines = drawing_.ToDxf(keep, run.decimals);
  if (DxfOutFilter) DxfOutFilter(lines);
  if (WriteExport) {
    WriteExport(run.file, lines);
  } else {
    SaveLines(run.file, lines);
  }
  FinishRun();
}

// --- -INSERT -----------------------------------------------------------------

void TCadEngine::OnInsertName(TRun& run, const std::string& input) {
  std::string name = TypedFileName(input);
  if (name.empty()) {
    FinishRun();
    return;
  }
  if (name == "?") {
    AddLine(std::string(kNoBlockList));
    FinishRun();
    return;
  }
  if (name.front() != '*') {
    AddLine(std::string(kOnlyExploded));
    FinishRun();
    return;
  }
  name = TypedFileName(std::string_view(name).substr(1));
  std::string path = name;
  if (!FileExists(path) && !HasExtension(path)) path += ".dxf";
  if (!FileExists(path)) {
    AddLine(std::string(kFileNotFound) + name + std::string(kFileNotFoundEnd));
    FinishRun();
    return;
  }
  const TLineList lines = LoadLines(path);
  if (!EndsWithEof(lines)) {
    AddLine(std::string(kIncompleteFile) + path);
    FinishRun();
    return;
  }
  run.source = TDrawing::FromLines(lines);
  if (ModelSpaceOnly) DropPaperSpace(*run.source);
  run.step = TStep::kInsertPoint;
}

bool TCadEngine::PlacePoint(const TDxfPoint& point) {
  if (!WantsPoint()) return false;
  AddLine(CurrentPrompt());
  input_.clear();
  TRun& run = runs_.back();
  run.placement.Point = point;
  run.step = TStep::kInsertScale;
  return true;
}

void TCadEngine::OnInsertPoint(TRun& run, const std::string& input) {
  if (IsNoSnap(input)) {
    run.noSnap = true;  // the prompt asks again
    return;
  }
  // The typed point in world terms first (UCS, ELEVATION), then snapped:
  // the snap points are world points.
  const auto point = TypedPoint(input);
  if (!point) {
    AddLine(std::string(kNeedPoint));
    return;
  }
  run.placement.Point = SnappedPoint(run, *point);
  run.step = TStep::kInsertScale;
}

// A typed point (a world point already) where running object snaps take it:
// on the nearest end point or insertion point of the current space within
// the aperture. After "_non" the point is taken as typed, once.
TDxfPoint TCadEngine::SnappedPoint(TRun& run, const TDxfPoint& typed) const {
  const bool snaps = TypedPointSnap && !run.noSnap;
  run.noSnap = false;
  if (!snaps) return typed;
  return SnapTypedPoint(drawing_.Entities(), drawing_.PaperSpaceIsCurrent(), typed, *TypedPointSnap)
      .value_or(typed);
}

void TCadEngine::OnInsertScale(TRun& run, const std::string& input) {
  const std::string_view text = TrimBlanks(input);
  if (!text.empty()) {
    const auto scale = TryStrToFloat(text);
    if (!scale) {
      AddLine(std::string(kNeedNumber));
      return;
    }
    if (*scale == 0) {
      AddLine(std::string(kNeedNonZero));
      return;
    }
    run.placement.Scale = *scale;
  }
  run.step = TStep::kInsertRotation;
}

void TCadEngine::OnInsertRotation(TRun& run, const std::string& input) {
  const std::string_view text = TrimBlanks(input);
  // An empty answer is the rotation 0, measured as a typed one.
  const auto angle = text.empty() ? std::optional<TAngle>(TAngle{}) : ReadAngle(text);
  if (!angle) {
    AddLine(std::string(kNeedAngle));
    return;
  }
  run.placement.Rotation = angle->Degrees;
  if (AnglesFromAngBase) run.placement.Rotation += RadiansToDegrees(AngBase());
  if (PointsInUcs) run.placement.Rotation += UcsAngle(Ucs());
  TDrawing before = drawing_;
  const std::vector<std::string> added = drawing_.InsertExploded(*run.source, run.placement);
  if (ModelSpaceOnly) drawing_.PutInSpace(added, drawing_.PaperSpaceIsCurrent());
  if (!added.empty()) Changed(run.name, std::move(before));
  FinishRun();
}

// Where a typed point lies in world coordinates: "*x,y[,z]" is a world point;
// any other point is one of the UCS when the points are read in the UCS.
// Without its Z a point lies at the ELEVATION when the elevation is read,
// else at 0.
std::optional<TDxfPoint> TCadEngine::TypedPoint(std::string_view text) const {
  text = TrimBlanks(text);
  const bool world = text.starts_with('*');
  if (world) text.remove_prefix(1);
  auto point = ReadPoint(text);
  if (!point) return std::nullopt;
  if (ElevationOfFlatPoints && std::count(text.begin(), text.end(), ',') == 1) point->Z = Elevation();
  if (world || !PointsInUcs) return point;
  return UcsToWorld(Ucs(), *point);
}

// --- SAVEAS ------------------------------------------------------------------

void TCadEngine::OnSaveAsFile(TRun&, const std::string& input) {
  std::string file = TypedFileName(input);
  if (file.empty()) file = DefaultDxfFile();
  if (!HasExtension(file)) file += ".dxf";
  SaveLines(file, drawing_.ToDxf({}, kMaxDecimals));
  path_ = file;
  ++version_;
  FinishRun();
}

// --- UNDO and U --------------------------------------------------------------

void TCadEngine::OnUndoOption(TRun&, const std::string& input) {
  const std::string option = OptionKeyword(input);
  if (option.empty()) {
    Undo(1);
  } else if (const auto count = ReadWholeNumber(option)) {
    if (*count < 1) {
      AddLine(std::string(kNeedPositive));
      return;
    }
    Undo(static_cast<size_t>(*count));
  } else if (IsKeyword(option, "BEGIN", 2)) {
    BeginUndoGroup();
  } else if (IsKeyword(option, "END", 1)) {
    // Without an open group there is nothing to end.
    undoGroupOpen_ = false;
  } else if (IsKeyword(option, "AUTO", 1) || IsKeyword(option, "CONTROL", 1) ||
             IsKeyword(option, "MARK", 1) || IsKeyword(option, "BACK", 1)) {
    AddLine(std::string(kUndoOptionsDone));
    return;
  } else {
    AddLine(std::string(kInvalidKeyword));
    return;
  }
  FinishRun();
}

// --- -LAYER -------------------------------------------------------------------

void TCadEngine::OnLayerOption(TRun& run, const std::string& input) {
  std::string option = UpperAscii(TrimBlanks(input));
  if (option.starts_with('_')) option.erase(0, 1);  // the international keyword
  if (option.empty()) {
    FinishRun();
  } else if (IsKeyword(option, "LOCK", 2) || IsKeyword(option, "UNLOCK", 1)) {
    run.locking = option.starts_with('L');
    run.step = TStep::kLayerNames;
  } else {
    AddLine(std::string(kInvalidKeyword));
  }
}

// The layers named are locked or unlocked in the drawing's LAYER table. The
// whole command is one step of the undo history, made by its first change.
void TCadEngine::OnLayerNames(TRun& run, const std::string& input) {
  run.step = TStep::kLayerOption;
  const std::vector<std::string> names = SplitNames(input);
  if (names.empty()) return;
  TDrawing before = drawing_;
  std::vector<std::string> missing;
  const size_t flipped = drawing_.LockLayers(names, run.locking, missing);
  for (const std::string& name : missing) {
    AddLine(std::string(kLayerNotFound) + name + std::string(kLayerNotFoundEnd));
  }
  if (flipped == 0) return;
  if (run.changed) {
    ++version_;
    return;
  }
  run.changed = true;
  Changed(run.name, std::move(before));
}

// The drawing changed by a command: one step of the undo history, unless an
// open group holds it already.
void TCadEngine::Changed(const std::string& name, TDrawing before) {
  ++version_;
  if (undoGroupOpen_) return;
  undo_.push_back({name, std::move(before)});
  while (undo_.size() > kUndoSteps) undo_.pop_front();
}

// Groups do not nest: a group begun while one is open ends that one, as in
// the CAD program. An empty group is a step all the same.
void TCadEngine::BeginUndoGroup() {
  undo_.push_back({std::string(kUndoGroupName), drawing_});
  while (undo_.size() > kUndoSteps) undo_.pop_front();
  undoGroupOpen_ = true;
}

// Takes back `count` steps, the last first, each echoed with its name; a
// group still open is ended first and taken back as a whole.
void TCadEngine::Undo(size_t count) {
  undoGroupOpen_ = false;
  for (size_t i = 0; i < count; ++i) {
    if (undo_.empty()) {
      AddLine(std::string(kNothingToUndo));
      return;
    }
    AddLine(undo_.back().name);
    drawing_ = std::move(undo_.back().before);
    undo_.pop_back();
    ++version_;
  }
}

// --- UCS, ANGBASE, ELEVATION -------------------------------------------------

void TCadEngine::OnUcsOption(TRun& run, const std::string& input) {
  const std::string option = OptionKeyword(input);
  if (option.empty() || IsKeyword(option, "WORLD", 1)) {
    ChangeUcs(TUcs{}, true);
  } else if (IsKeyword(option, "PREVIOUS", 1)) {
    if (previousUcs_.empty()) {
      AddLine(std::string(kNoPreviousUcs));
    } else {
      const TUcs previous = previousUcs_.back();
      previousUcs_.pop_back();
      ChangeUcs(previous, false);
    }
  } else if (IsKeyword(option, "NEW", 1)) {
    run.step = TStep::kUcsOrigin;
    return;
  } else if (IsKeyword(option, "MOVE", 1)) {
    run.step = TStep::kUcsMoveOrigin;
    return;
  } else {
    AddLine(std::string(kInvalidKeyword));
    return;
  }
  FinishRun();
}

// The new origin of "New" and "Move": the axes stay. An empty input keeps
// the origin where it is.
void TCadEngine::OnUcsOrigin(TRun& run, const std::string& input) {
  if (run.step == TStep::kUcsOrigin && OptionKeyword(input) == "Z") {
    run.step = TStep::kUcsTurn;
    return;
  }
  TUcs ucs = Ucs();
  const std::string_view text = TrimBlanks(input);
  const auto origin = text.empty() ? std::optional<TDxfPoint>(ucs.Origin) : TypedPoint(text);
  if (!origin) {
    AddLine(std::string(kNeedPoint));
    return;
  }
  ucs.Origin = *origin;
  ChangeUcs(ucs, true);
  FinishRun();
}

// The axes turned about the UCS's Z axis; the angle is a turn, not a
// direction, so neither ANGBASE nor the UCS's angle is added to it.
void TCadEngine::OnUcsTurn(TRun&, const std::string& input) {
  const std::string_view text = TrimBlanks(input);
  const auto angle = text.empty() ? ReadAngle("90") : ReadAngle(text);
  if (!angle) {
    AddLine(std::string(kNeedAngle));
    return;
  }
  ChangeUcs(TurnedAboutZ(Ucs(), angle->Degrees), true);
  FinishRun();
}

void TCadEngine::OnAngBaseValue(TRun& run, const std::string& input) {
  const std::string_view text = TrimBlanks(input);
  if (!text.empty()) {
    const auto angle = ReadAngle(text);
    if (!angle) {
      AddLine(std::string(kNeedAngle));
      return;
    }
    // Kept within one turn; an angle inside it keeps every digit typed.
    double radians = std::fmod(angle->Radians, 2 * std::numbers::pi);
    if (radians < 0) radians += 2 * std::numbers::pi;
    ChangeHeader(run.name,
                 [radians](TDrawing& drawing) { return drawing.SetHeaderReal("$ANGBASE", 50, radians); });
  }
  FinishRun();
}

void TCadEngine::OnElevationValue(TRun& run, const std::string& input) {
  const std::string_view text = TrimBlanks(input);
  if (!text.empty()) {
    const auto value = TryStrToFloat(text);
    if (!value || !std::isfinite(*value)) {
      AddLine(std::string(kNeedNumber));
      return;
    }
    ChangeHeader(run.name,
                 [&value](TDrawing& drawing) { return drawing.SetHeaderReal("$ELEVATION", 40, *value); });
  }
  FinishRun();
}

// Every change of the UCS but "Previous" keeps the one before it; every
// change sets the ELEVATION back to 0, as the CAD program does, and with
// UCSFOLLOW 1 turns the view to the plan of the new UCS.
void TCadEngine::ChangeUcs(const TUcs& ucs, bool keepPrevious) {
  if (keepPrevious) {
    previousUcs_.push_back(Ucs());
    if (previousUcs_.size() > kPreviousUcsCount) previousUcs_.erase(previousUcs_.begin());
  }
  ChangeHeader("UCS", [&ucs](TDrawing& drawing) {
    const bool moved = SetDrawingUcs(drawing, ucs);
    return drawing.SetHeaderReal("$ELEVATION", 40, 0) || moved;
  });
  if (UcsFollow() == 1) {
    double twist = -UcsAngle(ucs);
    if (twist <= -180) twist += 360;
    viewTwist_ = twist + 0.0;  // no -0
  }
}

// A setting of the drawing's header changed: a step of the undo history
// when the drawing changed.
void TCadEngine::ChangeHeader(const std::string& name, const std::function<bool(TDrawing&)>& change) {
  TDrawing before = drawing_;
  if (change(drawing_)) Changed(name, std::move(before));
}

}  // namespace vorbel::cadsim
