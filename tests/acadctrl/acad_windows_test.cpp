#include "acadctrl/acad_windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_acad.h"

namespace vorbel {
namespace {

using test::kMainClass;
using test::kMainTitle;
using test::kTextClass;
using test::kTextTitle;
using test::TDesktopTest;

using AcadWindowsTest = TDesktopTest;

struct TFound {
  TWindow main = kNoWindow;
  TWindow text = kNoWindow;
};

TWindow Put(const char* title, const char* className, uint32_t threadId) {
  return sim::Desktop().Create(title, className, threadId);
}

TEST_F(AcadWindowsTest, FindsTheHighestMainWindowAndTheTextWindowOfItsThread) {
  const struct {
    const char* name;
    std::function<TFound()> setUp;
  } cases[] = {
      {"no window", [] { return TFound{}; }},
      {"one AutoCAD",
       [] {
         const TWindow main = Put(kMainTitle, kMainClass, 1);
         return TFound{main, Put(kTextTitle, kTextClass, 1)};
       }},
      {"two AutoCADs: the one started later is higher",
       [] {
         Put(kMainTitle, kMainClass, 1);
         Put(kTextTitle, kTextClass, 1);
         const TWindow main = Put("AutoCAD 2000 - [second.dwg]", kMainClass, 2);
         return TFound{main, Put(kTextTitle, kTextClass, 2)};
       }},
      {"two AutoCADs: the first raised; its text window lies below the other's",
       [] {
         const TWindow main = Put(kMainTitle, kMainClass, 1);
         const TWindow text = Put(kTextTitle, kTextClass, 1);
         Put(kMainTitle, kMainClass, 2);
         Put(kTextTitle, kTextClass, 2);
         sim::Desktop().RaiseToTop(main);
         return TFound{main, text};
       }},
      {"a text window of another thread only",
       [] {
         const TWindow main = Put(kMainTitle, kMainClass, 1);
         Put(kTextTitle, kTextClass, 2);
         return TFound{main, kNoWindow};
       }},
      {"a text window without a main window",
       [] {
         Put(kTextTitle, kTextClass, 1);
         return TFound{};
       }},
      {"titles without the blank",
       [] {
         Put("AutoCAD", kMainClass, 1);
         Put("AutoCAD2000 - [test.dwg]", kMainClass, 1);
         Put("AutoCAD", kTextClass, 1);
         return TFound{};
       }},
      {"class names without \"Afx:\" at the start or without \"400000:8:\"",
       [] {
         Put(kMainTitle, "Bfx:400000:8:10011:0:1234", 1);
         Put(kMainTitle, "afx:400000:8:10011:0:1234", 1);
         Put(kMainTitle, "MyAfx:400000:8:10011", 1);
         Put(kMainTitle, "Afx:400001:8:10011:0:1234", 1);
         Put(kMainTitle, "Afx:400000:8", 1);
         Put(kTextTitle, kTextClass, 1);
         return TFound{};
       }},
      {"the shortest class names that pass",
       [] {
         const TWindow main = Put(kMainTitle, "Afx:400000:8:", 7);
         return TFound{main, Put("AutoCAD ", "Afx:400000:b:", 7)};
       }},
      {"a look-alike on top does not hide the real one",
       [] {
         const TWindow main = Put(kMainTitle, kMainClass, 1);
         const TWindow text = Put(kTextTitle, kTextClass, 1);
         Put("AutoCAD 2000 - [copy.dwg]", "Afx:500000:8:10011:0:1", 1);
         Put("", kMainClass, 1);
         return TFound{main, text};
       }},
      {"a main window's class is not a text window's",
       [] {
         Put(kMainTitle, kMainClass, 1);
         return TFound{Put(kTextTitle, kMainClass, 1), kNoWindow};
       }},
      {"a main window that is a child is not taken",
       [] {
         const TWindow frame = Put("Frame", "Frame", 1);
         sim::Desktop().Create(kMainTitle, kMainClass, 1, frame);
         return TFound{};
       }},
      {"a closed AutoCAD",
       [] {
         const TWindow main = Put(kMainTitle, kMainClass, 1);
         Put(kTextTitle, kTextClass, 1);
         sim::Desktop().Destroy(main);
         return TFound{};
       }},
  };
  for (const auto& c : cases) {
    sim::Desktop().Reset();
    const TFound expected = c.setUp();
    EXPECT_EQ(FindAcadWindow(), expected.main) << c.name;
    EXPECT_EQ(FindTextWindow(), expected.text) << c.name;
    EXPECT_EQ(ActivateAcad(), expected.main != kNoWindow) << c.name;
    EXPECT_EQ(sim::Desktop().Foreground(), expected.main) << c.name;
  }
}

TEST_F(AcadWindowsTest, FindsThePromptAndHistoryWindowsAmongTheDescendants) {
  struct TChild {
    const char* title;
    int parent;  // index of an earlier child, -1 for the searched window
  };
  const struct {
    const char* name;
    std::vector<TChild> children;
    int prompt;  // index of the expected child, -1 for none
    int history;
  } cases[] = {
      {"both", {{"Headlands", -1}, {"MountTam", -1}}, 0, 1},
      {"titles that only begin so", {{"MountTam 2", -1}, {"Headlands:1", -1}}, 1, 0},
      {"grandchildren", {{"Dock", -1}, {"Headlands", 0}, {"Bar", -1}, {"MountTam", 2}}, 1, 3},
      {"a later match replaces an earlier one",
       {{"Headlands", -1}, {"Headlands", -1}, {"MountTam", -1}},
       1,
       2},
      {"the search stops when both are found",
       {{"Headlands", -1}, {"MountTam", -1}, {"Headlands", -1}},
       0,
       1},
      {"the history window only", {{"MountTam", -1}}, -1, 0},
      {"no match", {{"headlands", -1}, {" Headlands", -1}, {"Headland", -1}, {"Mount Tam", -1}}, -1, -1},
      {"no child", {}, -1, -1},
  };
  for (const auto& c : cases) {
    sim::Desktop().Reset();
    const TWindow parent = Put(kMainTitle, kMainClass, 1);
    Put("Other", "Other", 1);
    std::vector<TWindow> made;
    for (const TChild& child : c.children) {
      const TWindow under = child.parent < 0 ? parent : made[static_cast<size_t>(child.parent)];
      made.push_back(sim::Desktop().Create(child.title, "Edit", 1, under));
    }
    const auto expected = [&made](int index) {
      return index < 0 ? kNoWindow : made[static_cast<size_t>(index)];
    };
    const TCommandLineWindows found = FindCommandLineWindows(parent);
    EXPECT_EQ(found.PromptWnd, expected(c.prompt)) << c.name;
    EXPECT_EQ(found.HistoryWnd, expected(c.history)) << c.name;
  }
  const TCommandLineWindows none = FindCommandLineWindows(kNoWindow);
  EXPECT_EQ(none.PromptWnd, kNoWindow);
  EXPECT_EQ(none.HistoryWnd, kNoWindow);
}

}  // namespace
}  // namespace vorbel
