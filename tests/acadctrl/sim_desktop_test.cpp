#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_acad.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"

namespace vorbel {
namespace {

using test::TDesktopTest;
using Windows = std::vector<TWindow>;

using SimDesktopTest = TDesktopTest;

TEST_F(SimDesktopTest, CutsTitlesAndTextsInCharactersAsWindowsDoes) {
  const struct {
    std::string text;
    size_t titleBytes;  // at most 254 characters arrive
  } cases[] = {
      {std::string(300, 'a'), 254},
      {std::string(254, 'a'), 254},
      {std::string(253, 'a') + "図面", 255},  // 253 + one double-byte character
      {std::string(200, 'a') + std::string(60, 'b'), 254},
      {"図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面"
       "図面図面図面図面図面"
       "図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面"
       "図面図面図面図面図面"
       "図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面"
       "図面図面図面図面図面"
       "図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面図面"
       "図面図面図面図面図面"
       "図面図面図面図面図面",
       508},
  };
  for (const auto& c : cases) {
    sim::Desktop().Reset();
    const TWindow window = sim::Desktop().Create(c.text, c.text, 1);
    EXPECT_EQ(WindowTitle(window), c.text.substr(0, c.titleBytes)) << c.text.size();
    EXPECT_EQ(WindowClassName(window), c.text.substr(0, c.titleBytes)) << c.text.size();
    // WM_GETTEXT: capacity - 1 characters, a double-byte character whole.
    EXPECT_EQ(SendGetText(window, 255), c.text.substr(0, c.titleBytes));
    EXPECT_EQ(SendGetText(window, SendGetTextLength(window) + 1), c.text);
  }
  const TWindow window = sim::Desktop().Create("図面a", "Static", 1);
  EXPECT_EQ(SendGetTextLength(window), 3);
  EXPECT_EQ(SendGetText(window, 2), "図");
  EXPECT_EQ(SendGetText(window, 1), "");
  EXPECT_EQ(SendGetText(window, 0), "");
}

TEST_F(SimDesktopTest, KeepsTheWindowOrderAndTheTree) {
  auto& desktop = sim::Desktop();
  const TWindow first = desktop.Create("first", "C", 1);
  const TWindow second = desktop.Create("second", "C", 2);
  const TWindow child = desktop.Create("child", "C", 1, first);
  const TWindow grandchild = desktop.Create("grandchild", "C", 1, child);
  const TWindow child2 = desktop.Create("child2", "C", 1, first);
  EXPECT_EQ(TopLevelWindows(), (Windows{second, first}));
  EXPECT_EQ(ChildWindows(first), (Windows{child, grandchild, child2}));
  EXPECT_EQ(ChildWindows(kNoWindow), Windows{});
  EXPECT_EQ(WindowThreadId(second), 2u);
  desktop.RaiseToTop(first);
  EXPECT_EQ(TopLevelWindows(), (Windows{first, second}));

  EXPECT_TRUE(BringToForeground(first));
  desktop.Destroy(child);
  EXPECT_EQ(ChildWindows(first), Windows{child2});
  EXPECT_FALSE(IsWindowAlive(grandchild));
  desktop.Destroy(first);
  EXPECT_EQ(TopLevelWindows(), Windows{second});
  EXPECT_FALSE(IsWindowAlive(child2));
  EXPECT_EQ(desktop.Foreground(), kNoWindow);
  EXPECT_FALSE(BringToForeground(first));
  EXPECT_EQ(WindowTitle(first), "");
  EXPECT_EQ(WindowThreadId(first), 0u);

  // Messages to a window that is gone reach nobody.
  SendCopyData(first, 1, "x", 2);
  SendCommandMessage(child2, 1);
  PostNullMessage(first);
  EXPECT_EQ(SendGetTextLength(first), 0);
  EXPECT_TRUE(desktop.received.empty());
}

TEST_F(SimDesktopTest, LetsOwnersChangeTheDesktopWhileTheyAnswer) {
  auto& desktop = sim::Desktop();
  // An owner that opens many windows and closes itself while it handles a
  // message, as a CAD program closing after a command would.
  TWindow window = kNoWindow;
  sim::TWindowOwner owner;
  owner.onCopyData = [&window](std::uintptr_t, std::string_view bytes) {
    for (int i = 0; i < 100; ++i) sim::Desktop().Create(std::string(bytes), "C", 1);
    sim::Desktop().Destroy(window);
    sim::Desktop().clipboardText = std::string(bytes.substr(0, 2));
  };
  owner.onGetText = [&window] {
    sim::Desktop().SetTitle(window, std::string(1000, 't'));
    return std::string("answer");
  };
  window = desktop.Create("caption", "C", 1, kNoWindow, owner);
  EXPECT_EQ(SendGetText(window, 100), "answer");
  EXPECT_EQ(WindowTitle(window), std::string(254, 't'));
  SendCopyData(window, 7, "data", 5);
  EXPECT_FALSE(IsWindowAlive(window));
  EXPECT_EQ(TopLevelWindows().size(), 100u);
  EXPECT_EQ(ClipboardText(), "da");
  RestoreClipboardContents({});
  EXPECT_EQ(ClipboardText(), "");
  ASSERT_EQ(desktop.received.size(), 2u);
  EXPECT_EQ(desktop.received[1].kind, "WM_COPYDATA");
  EXPECT_EQ(desktop.received[1].value, 7u);
  EXPECT_EQ(desktop.received[1].bytes, std::string("data", 5));
}

}  // namespace
}  // namespace vorbel
