// vorbel-memo-bench: the time the sequence dialog takes to append numbered
// lines to the main window's memo, as its run button does it (all lines in
// one change of the memo's text); for comparison the time the memo takes to
// be given the same text at once, and appending line by line, each change
// followed by the line counter's work as in the main window.
//
// Usage: vorbel-memo-bench [COUNT [LINE_BY_LINE_COUNT]]   (100000, 2000)
//
// Natively the memo is the headless one; the Windows build, run under Wine,
// times the edit control of the system.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cp932/cp932.h"
#include "platform/application.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/ui_automation.h"
#include "texttools/form2.h"

namespace vorbel {
namespace {

const TFormLayout& HostLayout() {
  static const TFormLayout layout{"TMemoBench",
                                  "memo bench",
                                  {248, 249},
                                  TFormStyle::SizeableToolWindow,
                                  false,
                                  kFormFont,
                                  {{"Memo1",
                                    TControlKind::Memo,
                                    "",
                                    {2, 50, 249, 121},
                                    kAnchorLeft | kAnchorTop,
                                    0,
                                    "",
                                    kFixedFont,
                                    kScrollBars}}};
  return layout;
}

// A main window with a memo whose change handler counts the lines up to the
// last non-blank one, as the main window's line counter does.
class THostForm : public TForm {
 public:
  THostForm() : TForm(HostLayout()), Memo1(*this, "Memo1") {
    Memo1.OnChange = [this] {
      ++changes;
      size_t count = Memo1.LineCount();
      while (count > 0 && IsBlank(Memo1.Line(count - 1))) --count;
      counted = count;
    };
  }
  TMemo Memo1;
  int changes = 0;
  size_t counted = 0;
};

double Milliseconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

int Run(int count, int lineByLineCount) {
  InitApplication("vorbel-memo-bench");
  THostForm host;
  host.Show();

  TForm2 dialog(host.Memo1);
  dialog.Edit1.SetText("No.");
  dialog.Edit3.SetText(std::to_string(count));
  double dialogMs = 0;
  SetModalDriver([&](TForm&) {
    const auto start = std::chrono::steady_clock::now();
    ClickControl(dialog.Button1);
    dialogMs = Milliseconds(start);
  });
  dialog.ShowModal();
  SetModalDriver(nullptr);
  std::printf("sequence dialog, %d lines in one change: %.1f ms (%d change, %zu lines counted)\n", count,
              dialogMs, host.changes, host.counted);
  const bool complete = host.counted == static_cast<size_t>(count);

  // The floor: the memo taking the same text in one piece.
  const std::string text = host.Memo1.Text();
  host.Memo1.Clear();
  const auto floorStart = std::chrono::steady_clock::now();
  host.Memo1.SetText(text);
  std::printf("the same text set at once: %.1f ms\n", Milliseconds(floorStart));

  host.Memo1.Clear();
  host.changes = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int k = 1; k <= lineByLineCount; ++k) host.Memo1.AddLine("No." + std::to_string(k));
  const double lineByLineMs = Milliseconds(start);
  std::printf("line by line, %d lines: %.1f ms (%d changes, %zu lines counted)\n", lineByLineCount,
              lineByLineMs, host.changes, host.counted);
  if (!complete) std::printf("FAILED: the memo does not hold %d lines\n", count);
  return complete ? 0 : 1;
}

}  // namespace
}  // namespace vorbel

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int lineByLineCount = argc > 2 ? std::atoi(argv[2]) : 2000;
  return vorbel::Run(count, lineByLineCount);
}
