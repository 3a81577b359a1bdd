// The whole cycle as a user runs it: the real vorbel.exe and the stand-in
// CAD's cadsim.exe as two processes on one desktop, driven only by window
// messages. The test presses vorbel's buttons (BM_CLICK), types into its
// memo (EM_REPLACESEL, as a paste does) and reads its controls (WM_GETTEXT);
// in the stand-in it picks objects and gives the insertion point with the
// stand-in's pointer input, and saves the drawing (SAVEAS) to check what
// reached it. The stand-in runs under each reading of AutoCAD's behaviour it
// offers.
#include <gtest/gtest.h>
#include <windows.h>
// The list view's messages need windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/drawing_state.h"
#include "dxf/dxf_pairs.h"
#include "dxf/text_ents.h"
#include "platform/file_path.h"
#include "support/dxf_builder.h"
#include "support/temp_dir.h"
#include "windriver/cadsim_driver.h"
#include "windriver/clipboard_driver.h"
#include "windriver/vorbel_window.h"
#include "windriver/window_driver.h"

namespace vorbel {
namespace {

namespace fs = std::filesystem;
using namespace windriver;

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

// The entities other than texts, in a fixed order: objects left out of a
// selection (another space's) stay before the ones drawn again.
std::vector<TEntity> OtherThanTexts(const std::vector<TEntity>& entities) {
  std::vector<TEntity> others;
  for (const TEntity& e : entities) {
    if (e.type != "TEXT") others.push_back(e);
  }
  std::sort(others.begin(), others.end(), [](const TEntity& a, const TEntity& b) {
    return std::tie(a.type, a.pairs) < std::tie(b.type, b.pairs);
  });
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

  // cadsim.exe on a copy of `drawing` with the readings `options` choose;
  // true once it is idle.
  bool StartCad(const std::string& drawing, const std::string& name,
                const std::vector<std::string>& options = {}) {
    cad_.reset();
    cad_ = std::make_unique<TCadProgram>(FilePath(CADSIM_EXE), drawing, folder_, name, options);
    return cad_->Ready();
  }
  TLineList SaveDrawing(const std::string& name) const { return cad_->SaveDrawing(File(name)); }
  bool CloseCad() { return cad_->Close(); }

  // vorbel.exe in the folder, its settings file placing the window beside
  // the stand-in's and choosing the order of the list.
  TVorbelWindow StartVorbel(bool sorted) {
    vorbel_ = std::make_unique<TVorbelProgram>(
        FilePath(VORBEL_EXE), FilePath(folder_),
        std::string("[Form]\r\nLeft=980\r\nTop=10\r\n[Sort]\r\nChecked=") + (sorted ? "1" : "0") + "\r\n");
    return vorbel_->Window();
  }
  long CloseVorbel() { return vorbel_->Close(); }
  // Closes vorbel over edited lines: it asks, and the user lets them go.
  long CloseVorbelAsked() {
    PostMessageW(vorbel_->Window().form, WM_CLOSE, 0, 0);
    if (AnswerQuestionBox(VorbelId(), "Vorbel Ver.1.11a", true).empty()) return -1;
    return vorbel_->Process().WaitForExit(kPatience);
  }
  DWORD VorbelId() { return vorbel_->Process().Id(); }

  // Select in vorbel, every object picked in the stand-in, the selection
  // ended; true when the stand-in asked for objects while vorbel waited
  // minimised. With `edited` lines in the memo vorbel asks first, and the
  // user lets them go.
  bool SelectAll(const TVorbelWindow& w, bool edited = false) {
    if (edited) {
      PostMessageW(w.select, BM_CLICK, 0, 0);
      if (AnswerQuestionBox(VorbelId(), "Vorbel Ver.1.11a", true).empty()) return false;
    } else {
      w.Click(w.select);
    }
    if (!WaitFor([&] { return ReadCommandLine() == "オブジェクトを選択: "; })) return false;
    const bool minimised = w.Minimized();
    Pointer("PICKALL");
    SendCommand("\r");
    return minimised;
  }

 private:
  test::TTempDir temp_;
  std::string folder_;
  std::unique_ptr<TCadProgram> cad_;
  std::unique_ptr<TVorbelProgram> vorbel_;
};

std::string Corpus(const std::string& file) { return std::string(VORBEL_SHARED_DIR) + "/dxf-corpus/" + file; }

struct TDrawingCase {
  const char* file;                   // in ../shared/dxf-corpus
  int emptied;                        // the memo line (in coordinate order) the user empties, or -1
  std::vector<std::string> readings;  // the stand-in's options
  std::vector<std::string> settings;  // typed in the stand-in before the user starts
};

// A drafter's settings: a UCS at 1000,500 turned 30°, the angle base north,
// an elevation.
const std::vector<std::string> kUserUcs = {"UCS N 1000,500 ", "UCS N Z 30 "};
const std::vector<std::string> kUserUcsAndMore = {"UCS N 1000,500 ", "UCS N Z 30 ", "ANGBASE 90 ",
                                                  "ELEVATION 7.5 ", "UCSFOLLOW 1 "};

// Select every object of a drawing, list its texts in file order and in
// coordinate order, number the lines, empty one, add two lines with a blank
// one between, Update; select again and Make two texts with a gap at a point
// the user gives. The saved drawings must hold exactly that, and every other
// entity as it was; one U takes the new texts back and one more the update,
// to the drawing saved before, byte for byte. Each drawing meets another
// reading of AutoCAD.
TEST(WorkflowWine, SelectEditUpdateAndMakeOnCorpusDrawings) {
  const std::vector<TDrawingCase> cases = {
      // Japanese, no handles, a POINT; a column; running snaps on typed points.
      {"jwcad_r001rt_three_texts.dxf", 1, {"--osnap-typed=600"}, {}},
      // One text, half-width kana, emptied; a user's UCS.
      {"jwcad_q033rt_halfwidth_kana.dxf", 0, {"--queue=0", "--ucs", "--elevation"}, kUserUcs},
      // One text, kept; the angle base north.
      {"jwcad_q032rt_japanese.dxf",
       -1,
       {"--queue=200", "--export-delay=600", "--angbase"},
       {"ANGBASE 90 ", "ELEVATION 7.5 "}},
      // Justified texts in a row, CIRCLEs and LINEs; only model space inserted.
      {"ezdxf_text_alignments.dxf",
       4,
       {"--blank-ends-names", "--count-line=recognized", "--model-space-only", "--elevation"},
       {"ELEVATION 7.5 "}},
      // AutoCAD 2000: MTEXT, blocks with attributes, XDATA, a locked layer;
      // all of the drawing's states at once.
      {"acadsharp_sample_AC1015_ascii.dxf",
       7,
       {"--queue=200", "--blank-ends-names", "--locked-layers", "--ucs", "--angbase", "--elevation",
        "--osnap-typed", "--model-space-only"},
       kUserUcsAndMore},
  };
  for (const TDrawingCase& c : cases) {
    SCOPED_TRACE(c.file + ::testing::PrintToString(c.readings));
    TSession session;
    ASSERT_TRUE(session.StartCad(Corpus(c.file), "図面.dxf", c.readings));
    for (const std::string& setting : c.settings) SendCommand(setting);
    ASSERT_TRUE(WaitFor([&] { return ReadCommandLine() == kIdlePrompt; }));
    const TLineList beforeDrawing = session.SaveDrawing("before.dxf");
    const std::vector<TEntity> before = Entities(beforeDrawing);
    TTextEnts fileOrder;
    ParseTextEnts(beforeDrawing, fileOrder);
    ASSERT_FALSE(fileOrder.empty());
    const size_t n = fileOrder.size();

    TVorbelWindow w = session.StartVorbel(false);
    ASSERT_TRUE(w.Complete());
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
    // Objects on a locked layer stop it: the user unlocks the layer in
    // AutoCAD and presses Update once more, without selecting again.
    // Objects other than texts are drawn again once the user says yes.
    TLineList beforeUpdate = beforeDrawing;
    if (const TLockedObjects locked = ObjectsOnLockedLayers(beforeDrawing); locked.Count > 0) {
      PostMessageW(w.update, BM_CLICK, 0, 0);
      const std::string box = TakeErrorBox(session.VorbelId(), "Vorbel Ver.1.11a");
      EXPECT_NE(box.find("ロックされた画層 (" + locked.Layers.front()), std::string::npos) << box;
      EXPECT_TRUE(WaitFor([&] { return w.Enabled(w.update); }));
      EXPECT_EQ(session.SaveDrawing("refused.dxf").ToBytes(), beforeDrawing.ToBytes());
      for (const std::string& layer : locked.Layers) SendCommand("-LAYER U " + layer + "\r\r");
      ASSERT_TRUE(WaitFor([&] { return ReadCommandLine() == kIdlePrompt; }));
      beforeUpdate = session.SaveDrawing("unlocked.dxf");
    }
    if (c.emptied >= 0) {
      // A text is erased: the preview "更新の確認" opens by itself, Enter on
      // キャンセル, and carries the question about other objects when there
      // are any; the user presses 更新.
      PostMessageW(w.update, BM_CLICK, 0, 0);
      HWND preview = WaitForProcessWindow(session.VorbelId(), L"TUpdatePreviewForm", L"更新の確認");
      ASSERT_NE(preview, nullptr);
      HWND cancel = ChildWithText(preview, "キャンセル");
      HWND confirm = ChildWithText(preview, "更新");
      ASSERT_TRUE(cancel != nullptr && confirm != nullptr);
      EXPECT_TRUE(WaitFor([&] { return FocusedControl(preview) == cancel; }));
      const HWND list = ChildWithText(preview, "", "SysListView32");
      ASSERT_NE(list, nullptr);
      // Every line numbered changes its text, the emptied one erases it, the
      // added ones become texts.
      EXPECT_EQ(Send(list, LVM_GETITEMCOUNT), static_cast<LRESULT>(n + 2));
      EXPECT_EQ(AnswerQuestionBox(session.VorbelId(), "Vorbel Ver.1.11a", false, nullptr, 300), "")
          << "one confirmation, not two";
      PostMessageW(confirm, BM_CLICK, 0, 0);
    } else if (ObjectsBeyondPlainTexts(beforeDrawing).empty()) {
      w.Click(w.update);
    } else {
      PostMessageW(w.update, BM_CLICK, 0, 0);
      int defaultButton = 0;
      const std::string question =
          AnswerQuestionBox(session.VorbelId(), "Vorbel Ver.1.11a", true, &defaultButton);
      EXPECT_NE(question.find("更新しますか?"), std::string::npos) << question;
      EXPECT_EQ(defaultButton, IDNO);
    }
    EXPECT_TRUE(WaitFor([&] { return TextOf(w.memo).empty(); }));
    EXPECT_EQ(TextOf(w.label1), "0");
    EXPECT_FALSE(w.Enabled(w.update));
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
    EXPECT_TRUE(WaitFor([&] { return ReadCommandLine() == kIdlePrompt; })) << ReadCommandLine();
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

    // One U takes the new texts back, one more the whole update.
    SendCommand("U ");
    EXPECT_EQ(session.SaveDrawing("made-undone.dxf").ToBytes(), updatedDrawing.ToBytes());
    SendCommand("U ");
    EXPECT_EQ(session.SaveDrawing("updated-undone.dxf").ToBytes(), beforeUpdate.ToBytes());

    // Make wrote nothing back: the lines count as edits and closing asks.
    EXPECT_EQ(session.CloseVorbelAsked(), 0);
    EXPECT_TRUE(session.CloseCad());
  }
}

// What goes wrong around a selection leaves the drawing and the user's work
// alone: the clipboard's contents survive the history read, an update is
// refused when the user has selected other objects in AutoCAD since the
// listing, a selection without texts leaves nothing to write back, and a
// closed AutoCAD gives the window back.
TEST(WorkflowWine, TheDrawingAndTheUsersWorkSurviveWhatGoesWrong) {
  TSession session;
  ASSERT_TRUE(session.StartCad(Corpus("jwcad_r001rt_three_texts.dxf"), "three.dxf"));
  const TVorbelWindow w = session.StartVorbel(true);
  ASSERT_TRUE(w.Complete());

  // The user copied strings from a spreadsheet before selecting.
  TClipboardOwner clipboard;
  const UINT richText = RegisterClipboardFormatW(L"Rich Text Format");
  const std::vector<TClipboardItem> copied = {{CF_UNICODETEXT, UnicodeTextBytes("表計算からの 端子番号")},
                                              {richText, "{\\rtf1 TB-01}"},
                                              {CF_DIB, SmallDib()}};
  ASSERT_TRUE(clipboard.Put(copied));
  EXPECT_TRUE(session.SelectAll(w));
  ASSERT_TRUE(WaitFor([&] { return w.MemoLines().size() == 3 && !w.Minimized(); }));
  for (const TClipboardItem& item : copied) EXPECT_EQ(ClipboardBytes(item.format), item.bytes) << item.format;

  // The user selects the drawing's last object in AutoCAD, then presses
  // Update: ERASE P would erase it and nothing else.
  SendCommand("SELECT L \r");
  ASSERT_TRUE(WaitFor([&] { return ReadCommandLine() == kIdlePrompt; }));
  const std::string before = session.SaveDrawing("before.dxf").ToBytes();
  w.PasteIntoMemo("1\r\n2\r\n3");
  PostMessageW(w.update, BM_CLICK, 0, 0);
  const std::string box = TakeErrorBox(session.VorbelId(), "Vorbel Ver.1.11a");
  EXPECT_NE(box.find("前回の選択セットが一覧の図形と違う"), std::string::npos) << box;
  EXPECT_EQ(session.SaveDrawing("after.dxf").ToBytes(), before);
  EXPECT_EQ(TextOf(w.memo), "1\r\n2\r\n3");
  EXPECT_TRUE(w.Enabled(w.update));

  // Selected again with the drawing's POINT, the update asks before the
  // point is drawn again; いいえ leaves the drawing and the lines alone.
  EXPECT_TRUE(session.SelectAll(w, true));
  ASSERT_TRUE(WaitFor([&] { return w.MemoLines().size() == 3 && !w.Minimized(); }));
  w.PasteIntoMemo("1\r\n2\r\n3");
  PostMessageW(w.update, BM_CLICK, 0, 0);
  const std::string question = AnswerQuestionBox(session.VorbelId(), "Vorbel Ver.1.11a", false);
  EXPECT_NE(question.find("点 1 個"), std::string::npos) << question;
  EXPECT_TRUE(WaitFor([&] { return w.Enabled(w.update); }));
  EXPECT_EQ(session.SaveDrawing("refused.dxf").ToBytes(), before);
  EXPECT_EQ(TextOf(w.memo), "1\r\n2\r\n3");
  EXPECT_TRUE(session.CloseCad());

  // Only MTEXT: nothing listed, and nothing left to write back.
  ASSERT_TRUE(session.StartCad(Corpus("skymakerolof_texts_librecad.dxf"), "mtext.dxf"));
  EXPECT_TRUE(session.SelectAll(w, true));
  EXPECT_TRUE(WaitFor([&] { return TextOf(w.label1) == "0" && !w.Minimized(); })) << TextOf(w.label1);
  EXPECT_EQ(TextOf(w.memo), "");
  EXPECT_EQ(TextOf(w.label3), "0");
  EXPECT_FALSE(w.Enabled(w.checkXpit));
  EXPECT_FALSE(w.Enabled(w.checkXYpit));
  EXPECT_FALSE(w.Enabled(w.update));
  EXPECT_FALSE(w.Enabled(w.make));

  // AutoCAD closed while vorbel waits for the selection.
  w.Click(w.select);
  ASSERT_TRUE(WaitFor([&] { return ReadCommandLine() == "オブジェクトを選択: "; }));
  EXPECT_TRUE(w.Minimized());
  EXPECT_TRUE(session.CloseCad());
  EXPECT_TRUE(WaitFor([&] { return !w.Minimized(); })) << "the window comes back";
  EXPECT_EQ(session.CloseVorbel(), 0);
}

// Texts whose bytes the memo cannot give back unchanged (duplicate codes of
// code page 932, an undefined code, a broken sequence) go back byte for byte
// when the user leaves their lines alone; a changed line is written as typed.
TEST(WorkflowWine, TextsTheUserDidNotTouchGoBackByteForByte) {
  const std::vector<std::string> strings = {
      "\x87\x90\x87\x91\x87\x92 NEC",  // ≒≡∫ of the NEC row, duplicates of 0x81E0 ...
      "\xED\x40\xEE\xFC IBM",          // NEC-selected IBM extensions
      "\xFA\x4A\xFA\x5B",              // Roman numeral and ∵ of the IBM extensions
      "\x85\x40 \x81",                 // an undefined code, a lead byte without its second byte
      "ABC",
  };
  std::vector<test::TPairs> texts;
  for (size_t i = 0; i < strings.size(); ++i) {
    texts.push_back(
        test::TextEntity("2" + std::to_string(i), "0.0", std::to_string(10 * i) + ".0", strings[i]));
  }
  TSession session;
  const std::string drawing = session.File("bytes.dxf");
  SaveLines(drawing, test::SelectionFile(texts));
  ASSERT_TRUE(session.StartCad(drawing, "図面.dxf"));
  const TVorbelWindow w = session.StartVorbel(false);
  ASSERT_TRUE(w.Complete());
  EXPECT_TRUE(session.SelectAll(w));
  ASSERT_TRUE(WaitFor([&] { return w.MemoLines().size() == strings.size() && !w.Minimized(); }));
  std::vector<std::string> lines = w.MemoLines();
  EXPECT_NE(lines[0], strings[0]) << "the memo shows other bytes";
  lines.back() = "XYZ";
  w.PasteIntoMemo(JoinLines(lines));
  w.Click(w.update);
  std::vector<std::string> expected = strings;
  expected.back() = "XYZ";
  TTextEnts saved;
  ParseTextEnts(session.SaveDrawing("saved.dxf"), saved);
  std::vector<std::string> savedStrings;
  for (const TTextEnt& text : saved) savedStrings.push_back(text.Text);
  EXPECT_EQ(savedStrings, expected);
  EXPECT_EQ(session.CloseVorbel(), 0);
  EXPECT_TRUE(session.CloseCad());
}

}  // namespace
}  // namespace vorbel
