// The whole cycle as a user runs it: the real vorbel.exe and the stand-in
// CAD's cadsim.exe as two processes on one desktop, driven only by window
// messages. The test presses vorbel's buttons (BM_CLICK), types into its
// memo (EM_REPLACESEL, as a paste does) and reads its controls (WM_GETTEXT);
// in the stand-in it picks objects and gives the insertion point with the
// stand-in's pointer input, and saves the drawing (SAVEAS) to check what
// reached it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/dxf_pairs.h"
#include "dxf/text_ents.h"
#include "platform/desktop.h"
#include "platform/file_path.h"
#include "platform/win32/text_codec.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

namespace fs = std::filesystem;

// How long one step of either program may take (milliseconds).
constexpr ULONGLONG kPatience = 20000;
constexpr UINT kMessagePatience = 20000;
constexpr std::uintptr_t kPointerInput = 2;
constexpr std::string_view kIdle = "コマンド: ";

template <typename TCondition>
bool WaitFor(TCondition condition) {
  const ULONGLONG until = GetTickCount64() + kPatience;
  while (!condition()) {
    if (GetTickCount64() > until) return false;
    Sleep(20);
  }
  return true;
}

// A message to another process's window; returns when that window has
// handled it.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kMessagePatience, &result);
  return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND window) {
  std::wstring name(256, L'\0');
  name.resize(static_cast<size_t>(GetClassNameW(window, name.data(), 256)));
  return WideToCp932(name);
}

// The window's own text, as the window answers WM_GETTEXT.
std::string TextOf(HWND window) {
  const auto length = static_cast<size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  const auto got = static_cast<size_t>(
      Send(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(got, length));
  return WideToCp932(text);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\r\n" : "") + lines[i];
  return text;
}

// The main window of vorbel.exe and the controls the test works, found by
// caption, class and place as a user sees them.
struct TVorbelWindow {
  HWND form = nullptr;
  HWND select = nullptr;
  HWND sort = nullptr;
  HWND update = nullptr;
  HWND make = nullptr;
  HWND checkXpit = nullptr;
  HWND checkYpit = nullptr;
  HWND checkXYpit = nullptr;
  HWND memo = nullptr;
  HWND edit1 = nullptr;   // dX, the upper of the two single-line edits
  HWND edit2 = nullptr;   // dY
  HWND label1 = nullptr;  // the number of texts read, the upper of the two counters
  HWND label3 = nullptr;  // the line counter

  std::vector<std::string> MemoLines() const { return SplitLines(TextOf(memo)); }
  bool Minimized() const { return IsIconic(form) != FALSE; }
  bool Enabled(HWND control) const { return IsWindowEnabled(control) != FALSE; }
  bool Checked(HWND control) const { return Send(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Click(HWND control) const { Send(control, BM_CLICK, 0, 0); }
  // A single-line edit's text, as typing it would leave it.
  void SetText(HWND edit, const std::string& text) const {
    const std::wstring wide = Cp932ToWide(text);
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  // The memo's whole text replaced as a paste would replace it, so the
  // program sees the change the way it sees the user's.
  void PasteIntoMemo(const std::string& text) const {
    Send(memo, EM_SETSEL, 0, -1);
    const std::wstring wide = Cp932ToWide(text);
    Send(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
  }
};

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

int TopOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.top;
}

TVorbelWindow VorbelControls(HWND form) {
  TVorbelWindow w;
  w.form = form;
  std::vector<HWND> children;
  EnumChildWindows(form, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::vector<HWND> edits;
  std::vector<HWND> counters;
  for (HWND child : children) {
    const std::string className = ClassOf(child);
    const std::string text = TextOf(child);
    if (_stricmp(className.c_str(), "Button") == 0) {
      if (text == "選択") w.select = child;
      if (text == "座標順") w.sort = child;
      if (text == "更新") w.update = child;
      if (text == "作成") w.make = child;
      if (text == "縦整列(dX=0)") w.checkXpit = child;
      if (text == "横整列(dY=0)") w.checkYpit = child;
      if (text == "XY間隔を更新") w.checkXYpit = child;
    } else if (_stricmp(className.c_str(), "Edit") == 0) {
      if ((GetWindowLongPtrW(child, GWL_STYLE) & ES_MULTILINE) != 0) {
        w.memo = child;
      } else {
        edits.push_back(child);
      }
    } else if (_stricmp(className.c_str(), "Static") == 0 && text == "0") {
      counters.push_back(child);
    }
  }
  const auto byTop = [](HWND a, HWND b) { return TopOf(a) < TopOf(b); };
  std::sort(edits.begin(), edits.end(), byTop);
  std::sort(counters.begin(), counters.end(), byTop);
  if (edits.size() == 2) {
    w.edit1 = edits[0];
    w.edit2 = edits[1];
  }
  if (counters.size() == 2) {
    w.label1 = counters[0];
    w.label3 = counters[1];
  }
  return w;
}

bool Complete(const TVorbelWindow& w) {
  for (HWND control : {w.select, w.sort, w.update, w.make, w.checkXpit, w.checkYpit, w.checkXYpit, w.memo,
                       w.edit1, w.edit2, w.label1, w.label3}) {
    if (control == nullptr) return false;
  }
  return true;
}

// A Windows program started from `folder`; ended when the owner goes, if it
// has not ended by then.
class TProcess {
 public:
  TProcess(const fs::path& exe, const std::vector<std::string>& arguments, const fs::path& folder) {
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    for (const std::string& argument : arguments) commandLine += L" \"" + Cp932ToWide(argument) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info_)) {
      info_ = PROCESS_INFORMATION{};
    }
  }
  ~TProcess() {
    if (info_.hProcess == nullptr) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  DWORD Id() const { return info_.dwProcessId; }

  // The exit code once the program has ended, or -1.
  long WaitForExit() const {
    if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, kPatience) != WAIT_OBJECT_0)
      return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  PROCESS_INFORMATION info_{};
};

// A top-level window of the process with this class and title, once shown.
HWND WaitForWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  HWND found = nullptr;
  WaitFor([&] {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, title)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId && IsWindowVisible(window)) {
        found = window;
        return true;
      }
    }
    return false;
  });
  return found;
}

// The stand-in's mouse: picks and points.
void Pointer(const std::string& text) {
  SendCopyData(FindAcadWindow(), kPointerInput, text.c_str(), static_cast<uint32_t>(text.size() + 1));
}

// One entity of an ENTITIES section as its pairs, without what an exploded
// insertion renews: the handle (5), the owner (330) and application groups
// ("102"/"{..." to "102"/"}"), which the stand-in drops.
struct TEntity {
  std::string type;
  std::vector<std::pair<std::string, std::string>> pairs;
  bool operator==(const TEntity&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TEntity& e) {
  out << e.type << " {";
  for (const auto& [code, value] : e.pairs) out << " " << code << "=" << value;
  return out << " }";
}

std::vector<TEntity> Entities(const TLineList& lines) {
  std::vector<TEntity> entities;
  bool inside = false;
  bool inGroup = false;
  for (size_t p = 0; p < PairCount(lines); ++p) {
    const std::string_view code = PairCode(lines, p);
    const std::string_view value = PairValue(lines, p);
    if (!inside) {
      inside = IsEntitiesMarker(lines, p);
      continue;
    }
    if (code == "0") {
      if (value == "ENDSEC") break;
      entities.push_back({std::string(value), {}});
      continue;
    }
    if (entities.empty()) continue;
    if (code == "102") {
      inGroup = value != "}";
      continue;
    }
    if (inGroup || code == "5" || code == "330") continue;
    entities.back().pairs.emplace_back(code, value);
  }
  return entities;
}

std::vector<TEntity> OtherThanTexts(const std::vector<TEntity>& entities) {
  std::vector<TEntity> others;
  for (const TEntity& e : entities) {
    if (e.type != "TEXT") others.push_back(e);
  }
  return others;
}

// A TEXT without its string and points: what an update must leave as it was
// and what a new text takes from its pattern.
TEntity TextShape(TEntity text) {
  std::erase_if(text.pairs, [](const auto& pair) {
    for (const char* code : {"1", "10", "20", "30", "11", "21", "31"}) {
      if (pair.first == code) return true;
    }
    return false;
  });
  return text;
}

std::vector<TEntity> TextEntities(const std::vector<TEntity>& entities) {
  std::vector<TEntity> texts;
  for (const TEntity& e : entities) {
    if (e.type == "TEXT") texts.push_back(e);
  }
  return texts;
}

// A text without a second alignment point gets none when it serves as the
// pattern of new texts: it reads as (0, 0, 0).
bool HasAlignPoint(const TEntity& text) {
  return std::any_of(text.pairs.begin(), text.pairs.end(),
                     [](const auto& pair) { return pair.first == "11"; });
}

std::vector<TEntity> TextShapes(const std::vector<TEntity>& entities) {
  std::vector<TEntity> shapes;
  for (const TEntity& e : entities) {
    if (e.type == "TEXT") shapes.push_back(TextShape(e));
  }
  return shapes;
}

// The literal coordinate order of the list: an exchange sort with the 0.01
// tolerance, a row by X (upper first within the tolerance) or else a column
// by Y descending (left first).
void ReferenceSortByCoords(TTextEnts& ents) {
  const size_t n = ents.size();
  if (n < 2) return;
  double maxDX = 0;
  double maxDY = 0;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      maxDX = std::max(maxDX, std::fabs(RefPoint(ents[i]).X - RefPoint(ents[j]).X));
      maxDY = std::max(maxDY, std::fabs(RefPoint(ents[i]).Y - RefPoint(ents[j]).Y));
    }
  }
  const bool row = maxDX > maxDY;
  for (size_t i = 0; i + 1 < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      const TDxfPoint p = RefPoint(ents[i]);
      const TDxfPoint q = RefPoint(ents[j]);
      bool swap = false;
      if (row) {
        swap = std::fabs(p.X - q.X) > 0.01 ? p.X > q.X : p.Y < q.Y;
      } else {
        swap = std::fabs(p.Y - q.Y) > 0.01 ? p.Y < q.Y : p.X > q.X;
      }
      if (swap) std::swap(ents[i], ents[j]);
    }
  }
}

// The step between the last two texts, or one and a half heights across a
// single text.
std::pair<double, double> ReferencePitch(const TTextEnts& ents) {
  const TTextEnt& last = ents.back();
  if (ents.size() == 1) {
    const double r = last.Rotation * 3.14159265358979323846 / 180;
    return {std::sin(r) * last.Height * 1.5, std::cos(r) * last.Height * -1.5};
  }
  const TDxfPoint p = RefPoint(last);
  const TDxfPoint q = RefPoint(ents[ents.size() - 2]);
  return {p.X - q.X, p.Y - q.Y};
}

std::vector<std::string> TextsOf(const TTextEnts& ents) {
  std::vector<std::string> texts;
  for (const TTextEnt& ent : ents) texts.push_back(ent.Text);
  return texts;
}

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a)); }

bool Near(const TDxfPoint& a, const TDxfPoint& b) {
  return Near(a.X, b.X) && Near(a.Y, b.Y) && Near(a.Z, b.Z);
}

std::string Show(const TDxfPoint& p) {
  std::string text = "(";
  for (double value : {p.X, p.Y, p.Z}) text += std::to_string(value) + " ";
  text.back() = ')';
  return text;
}

TDxfPoint Step(const TDxfPoint& from, double dX, double dY, int k) {
  return {from.X + k * dX, from.Y + k * dY, from.Z};
}

// What a text of the saved drawing must be: its string and both points.
struct TExpectedText {
  std::string text;
  TDxfPoint insPoint;
  TDxfPoint alignPoint;
};

void ExpectTexts(const TTextEnts& saved, const std::vector<TExpectedText>& expected) {
  ASSERT_EQ(saved.size(), expected.size()) << ::testing::PrintToString(TextsOf(saved));
  for (size_t i = 0; i < saved.size(); ++i) {
    SCOPED_TRACE("text " + std::to_string(i) + " " + expected[i].text);
    EXPECT_EQ(saved[i].Text, expected[i].text);
    EXPECT_TRUE(Near(saved[i].InsPoint, expected[i].insPoint))
        << Show(saved[i].InsPoint) << " " << Show(expected[i].insPoint);
    EXPECT_TRUE(Near(saved[i].AlignPoint, expected[i].alignPoint))
        << Show(saved[i].AlignPoint) << " " << Show(expected[i].alignPoint);
  }
}

// The stand-in with a drawing and vorbel.exe beside it, both started from a
// folder of their own (a name with a blank and Japanese, as users have).
class TSession {
 public:
  TSession() : folder_(temp_.File("作業 フォルダ")) { fs::create_directories(FilePath(folder_)); }

  std::string File(const std::string& name) const { return folder_ + "/" + name; }

  // cadsim.exe on a copy of `drawing`; true once its window is there.
  bool StartCad(const std::string& drawing, const std::string& name) {
    fs::copy_file(FilePath(drawing), FilePath(File(name)), fs::copy_options::overwrite_existing);
    cad_.reset();
    cad_ = std::make_unique<TProcess>(FilePath(CADSIM_EXE), std::vector<std::string>{File(name)},
                                      FilePath(folder_));
    cadWindow_ = kNoWindow;
    return WaitFor([&] {
      const TWindow window = FindAcadWindow();
      if (window == kNoWindow || WindowTitle(window) != "AutoCAD 2000 - [" + name + "]") return false;
      cadWindow_ = window;
      return ReadCommandLine() == kIdle;
    });
  }

  // The stand-in's drawing as it stands, saved to `name` and read back.
  TLineList SaveDrawing(const std::string& name) {
    const std::string path = File(name);
    SendCommand("SAVEAS " + path + "\r");
    return FileExists(path) ? LoadLines(path) : TLineList();
  }

  bool CloseCad() {
    if (!cad_) return true;
    PostMessageW(reinterpret_cast<HWND>(cadWindow_), WM_CLOSE, 0, 0);
    const bool closed = cad_->WaitForExit() == 0;
    cad_.reset();
    return closed;
  }

  // A copy of vorbel.exe in the folder, its settings file placing the window
  // beside the stand-in's and choosing the order of the list.
  TVorbelWindow StartVorbel(bool sorted) {
    const fs::path exe = FilePath(File("vorbel.exe"));
    fs::copy_file(FilePath(VORBEL_EXE), exe, fs::copy_options::overwrite_existing);
    test::WriteBytes(File("vorbel.ini"), std::string("[Form]\r\nLeft=980\r\nTop=10\r\n[Sort]\r\nChecked=") +
                                             (sorted ? "1" : "0") + "\r\n");
    vorbel_ = std::make_unique<TProcess>(exe, std::vector<std::string>{}, FilePath(folder_));
    HWND form = WaitForWindow(vorbel_->Id(), L"TForm1", L"Vorbel Ver.1.12");
    return form == nullptr ? TVorbelWindow{} : VorbelControls(form);
  }

  long CloseVorbel(const TVorbelWindow& w) {
    PostMessageW(w.form, WM_CLOSE, 0, 0);
    return vorbel_->WaitForExit();
  }

  // Select in vorbel, every object picked in the stand-in, the selection
  // ended; true when the stand-in asked for objects while vorbel waited
  // minimised.
  bool SelectAll(const TVorbelWindow& w) {
    w.Click(w.select);
    if (!WaitFor([&] { return ReadCommandLine() == "オブジェクトを選択: "; })) return false;
    const bool minimised = w.Minimized();
    Pointer("PICKALL");
    SendCommand("\r");
    return minimised;
  }

 private:
  test::TTempDir temp_;
  std::string folder_;
  std::unique_ptr<TProcess> cad_;
  std::unique_ptr<TProcess> vorbel_;
  TWindow cadWindow_ = kNoWindow;
};

struct TDrawingCase {
  const char* file;  // in ../shared/dxf-corpus
  int emptied;       // the memo line (in coordinate order) the user empties, or -1
};

// Select every object of a drawing, list its texts in file order and in
// coordinate order, number the lines, empty one, add two lines with a blank
// one between, Update; select again and Make two texts with a gap at a point
// the user gives. The saved drawings must hold exactly that, and every other
// entity as it was.
TEST(WorkflowWine, SelectEditUpdateAndMakeOnCorpusDrawings) {
  const std::vector<TDrawingCase> cases = {
      {"jwcad_r001rt_three_texts.dxf", 1},       // Japanese, no handles, a POINT; a column
      {"jwcad_q033rt_halfwidth_kana.dxf", 0},    // one text, half-width kana, emptied
      {"jwcad_q032rt_japanese.dxf", -1},         // one text, kept
      {"ezdxf_text_alignments.dxf", 4},          // justified texts in a row, CIRCLEs and LINEs
      {"acadsharp_sample_AC1015_ascii.dxf", 7},  // AutoCAD 2000: MTEXT, blocks with attributes, XDATA
  };
  for (const TDrawingCase& c : cases) {
    SCOPED_TRACE(c.file);
    TSession session;
    ASSERT_TRUE(session.StartCad(std::string(VORBEL_SHARED_DIR) + "/dxf-corpus/" + c.file, "図面.dxf"));
    const TLineList beforeDrawing = session.SaveDrawing("before.dxf");
    const std::vector<TEntity> before = Entities(beforeDrawing);
    TTextEnts fileOrder;
    ParseTextEnts(beforeDrawing, fileOrder);
    ASSERT_FALSE(fileOrder.empty());
    const size_t n = fileOrder.size();

    TVorbelWindow w = session.StartVorbel(false);
    ASSERT_TRUE(Complete(w));
    EXPECT_FALSE(w.Checked(w.sort));

    // Listed in file order.
    EXPECT_TRUE(session.SelectAll(w)) << "vorbel is minimised while the user picks";
    EXPECT_TRUE(WaitFor([&] { return w.MemoLines() == TextsOf(fileOrder); }))
        << TextOf(w.memo) << "\nexpected:\n"
        << JoinLines(TextsOf(fileOrder));
    EXPECT_TRUE(WaitFor([&] { return !w.Minimized(); }));
    EXPECT_EQ(TextOf(w.label1), std::to_string(n));
    EXPECT_EQ(TextOf(w.label3), std::to_string(n));
    EXPECT_TRUE(w.Enabled(w.update));
    EXPECT_FALSE(w.Enabled(w.make));
    EXPECT_FALSE(w.Enabled(w.checkXYpit));

    // In coordinate order, with the pitch of the last two texts.
    TTextEnts ordered = fileOrder;
    ReferenceSortByCoords(ordered);
    w.Click(w.sort);
    EXPECT_TRUE(w.Checked(w.sort));
    EXPECT_EQ(w.MemoLines(), TextsOf(ordered));
    const auto [dX, dY] = ReferencePitch(ordered);
    EXPECT_TRUE(Near(StrToFloat(TextOf(w.edit1)), dX)) << TextOf(w.edit1) << " " << dX;
    EXPECT_TRUE(Near(StrToFloat(TextOf(w.edit2)), dY)) << TextOf(w.edit2) << " " << dY;
    EXPECT_TRUE(w.Enabled(w.make));
    EXPECT_TRUE(w.Enabled(w.checkXYpit));

    // Edited: every line numbered, one emptied, two lines added with a blank
    // one between and blank lines after them.
    std::vector<std::string> lines;
    for (size_t i = 0; i < n; ++i) {
      lines.push_back(
          static_cast<int>(i) == c.emptied ? "" : "第" + std::to_string(i + 1) + " " + ordered[i].Text);
    }
    for (const char* extra : {"追加 1", "", "追加 2", " ", ""}) lines.push_back(extra);
    w.PasteIntoMemo(JoinLines(lines));
    EXPECT_EQ(TextOf(w.label3), std::to_string(n + 3)) << "the line counter followed the paste";
    const double pitchX = StrToFloat(TextOf(w.edit1));
    const double pitchY = StrToFloat(TextOf(w.edit2));

    // Update: the texts back at their own places with their new strings, the
    // emptied one gone, the added lines one and three steps after the last.
    w.Click(w.update);
    EXPECT_EQ(TextOf(w.memo), "");
    EXPECT_EQ(TextOf(w.label1), "0");
    EXPECT_FALSE(w.Enabled(w.update));
    EXPECT_EQ(ReadCommandLine(), kIdle);
    const TLineList updatedDrawing = session.SaveDrawing("updated.dxf");
    const std::vector<TEntity> updated = Entities(updatedDrawing);
    EXPECT_EQ(OtherThanTexts(updated), OtherThanTexts(before)) << "nothing else in the drawing changed";
    std::vector<TExpectedText> expected;
    std::vector<TEntity> shapes;
    const std::vector<TEntity> shapesBefore = TextShapes(before);
    for (size_t f = 0; f < n; ++f) {
      const auto i =
          static_cast<size_t>(std::find_if(ordered.begin(), ordered.end(),
                                           [&](const TTextEnt& e) { return e.Index == fileOrder[f].Index; }) -
                              ordered.begin());
      if (lines[i].empty()) continue;
      expected.push_back({lines[i], fileOrder[f].InsPoint, fileOrder[f].AlignPoint});
      shapes.push_back(shapesBefore[f]);
    }
    // New texts continue after the last text in coordinate order, shaped like
    // the last text of the selection as it was listed (in file order).
    const TTextEnt& base = ordered.back();
    const TEntity pattern = TextEntities(before).back();
    for (int k : {1, 3}) {
      expected.push_back({k == 1 ? "追加 1" : "追加 2", Step(base.InsPoint, pitchX, pitchY, k),
                          HasAlignPoint(pattern) ? Step(base.AlignPoint, pitchX, pitchY, k) : TDxfPoint{}});
      shapes.push_back(TextShape(pattern));
    }
    TTextEnts updatedTexts;
    ParseTextEnts(updatedDrawing, updatedTexts);
    ExpectTexts(updatedTexts, expected);
    EXPECT_EQ(TextShapes(updated), shapes) << "every text keeps its layer, style, height ...";

    // Select again: the drawing's texts as they are now, in coordinate order.
    TTextEnts again = updatedTexts;
    ReferenceSortByCoords(again);
    EXPECT_TRUE(session.SelectAll(w));
    EXPECT_TRUE(WaitFor([&] { return w.MemoLines() == TextsOf(again); })) << TextOf(w.memo) << "\nexpected:\n"
                                                                          << JoinLines(TextsOf(again));
    EXPECT_TRUE(WaitFor([&] { return !w.Minimized(); }));
    ASSERT_TRUE(w.Enabled(w.make));

    const auto [againX, againY] = ReferencePitch(again);
    EXPECT_TRUE(Near(StrToFloat(TextOf(w.edit1)), againX) && Near(StrToFloat(TextOf(w.edit2)), againY))
        << TextOf(w.edit1) << " " << TextOf(w.edit2);

    // Make: two texts with a gap, in a column at the pitch the user typed,
    // placed by the user at (1000, 500); vorbel answers the scale prompt
    // itself.
    w.PasteIntoMemo("作成 1\r\n\r\n作成 2");
    const double makeX = 0;
    const double makeY = -5;
    w.SetText(w.edit1, "0");
    w.SetText(w.edit2, "-5");
    w.Click(w.make);
    EXPECT_TRUE(w.Minimized()) << "vorbel hides while the user places the texts";
    EXPECT_TRUE(WaitFor([&] { return ReadCommandLine() == "挿入点を指定: "; })) << ReadCommandLine();
    Pointer("POINT 1000,500");
    EXPECT_TRUE(WaitFor([&] { return !w.Minimized(); }));
    EXPECT_TRUE(WaitFor([&] { return ReadCommandLine() == kIdle; })) << ReadCommandLine();
    EXPECT_EQ(TextOf(w.memo), "作成 1\r\n\r\n作成 2") << "Make leaves the lines for another run";
    const TLineList madeDrawing = session.SaveDrawing("made.dxf");
    const std::vector<TEntity> made = Entities(madeDrawing);
    EXPECT_EQ(OtherThanTexts(made), OtherThanTexts(before));
    const TEntity madePattern = TextEntities(updated)[static_cast<size_t>(again.back().Index)];
    for (int k : {0, 2}) {
      const TDxfPoint at = Step({1000, 500, 0}, makeX, makeY, k);
      expected.push_back({k == 0 ? "作成 1" : "作成 2", at, HasAlignPoint(madePattern) ? at : TDxfPoint{}});
    }
    TTextEnts madeTexts;
    ParseTextEnts(madeDrawing, madeTexts);
    ExpectTexts(madeTexts, expected);
    // The new texts take the shape of the last text listed.
    const std::vector<TEntity> madeShapes = TextShapes(made);
    ASSERT_EQ(madeShapes.size(), updatedTexts.size() + 2);
    EXPECT_EQ(madeShapes[updatedTexts.size()], TextShape(madePattern));
    EXPECT_EQ(madeShapes[updatedTexts.size() + 1], TextShape(madePattern));

    EXPECT_EQ(session.CloseVorbel(w), 0);
    EXPECT_TRUE(session.CloseCad());
  }
}

// A selection of objects that are no texts (a drawing of two MTEXT) lists
// nothing: the count shows 0, the memo stays empty, the pitch boxes stay
// disabled, and what the earlier selection enabled stays so. The stand-in is
// a new program by then: vorbel finds AutoCAD anew for every step.
TEST(WorkflowWine, ASelectionWithoutTextsListsNothing) {
  TSession session;
  ASSERT_TRUE(session.StartCad(std::string(VORBEL_SHARED_DIR) + "/dxf-corpus/jwcad_r001rt_three_texts.dxf",
                               "three.dxf"));
  TVorbelWindow w = session.StartVorbel(true);
  ASSERT_TRUE(Complete(w));
  EXPECT_TRUE(session.SelectAll(w));
  ASSERT_TRUE(WaitFor([&] { return TextOf(w.label1) == "3"; }));
  ASSERT_TRUE(WaitFor([&] { return w.MemoLines().size() == 3; }));
  EXPECT_TRUE(w.Enabled(w.checkXpit));
  EXPECT_TRUE(session.CloseCad());

  ASSERT_TRUE(session.StartCad(std::string(VORBEL_SHARED_DIR) + "/dxf-corpus/skymakerolof_texts_librecad.dxf",
                               "mtext.dxf"));
  EXPECT_TRUE(session.SelectAll(w));
  EXPECT_TRUE(WaitFor([&] { return TextOf(w.label1) == "0"; })) << TextOf(w.label1);
  EXPECT_FALSE(w.Minimized());
  EXPECT_EQ(TextOf(w.memo), "");
  EXPECT_EQ(TextOf(w.label3), "0");
  EXPECT_FALSE(w.Enabled(w.checkXpit));
  EXPECT_FALSE(w.Enabled(w.checkYpit));
  EXPECT_FALSE(w.Enabled(w.checkXYpit));
  EXPECT_TRUE(w.Enabled(w.update)) << "kept from the earlier selection";
  EXPECT_EQ(ReadCommandLine(), kIdle);
  EXPECT_EQ(session.CloseVorbel(w), 0);
  EXPECT_TRUE(session.CloseCad());
}

}  // namespace
}  // namespace vorbel
