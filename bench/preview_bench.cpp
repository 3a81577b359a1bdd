// vorbel-preview-bench: the time 更新 takes to show its preview for a large
// selection: the plan and the preview worked out from the memo's lines, and
// the dialog "更新の確認" opened (its list view filled and painted), scrolled
// to its last row and closed. The window is the real TForm1 and the real
// dialog: headless on Linux, the Win32 list view under Wine.
//
//   vorbel-preview-bench [--sizes N,N,...] [--show MS]
//
// Every line is edited and every tenth one emptied, so that the list holds a
// change or an erasure for every text. --show keeps the last dialog on the
// screen for MS milliseconds, at its first row (to look at it or take a
// picture).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/form1.h"
#include "app/update_preview_form.h"
#include "base/files.h"
#include "platform/application.h"
#include "platform/process_io.h"
#include "platform/ui_automation.h"
#include "selection_file.h"
#include "workflow/memo_lines.h"

namespace vorbel::bench {

namespace {

using TClock = std::chrono::steady_clock;

double Milliseconds(TClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::vector<int32_t> ParseSizes(std::string text) {
  std::vector<int32_t> sizes;
  for (size_t start = 0; start < text.size();) {
    const size_t comma = std::min(text.find(',', start), text.size());
    sizes.push_back(std::atoi(text.substr(start, comma - start).c_str()));
    start = comma + 1;
  }
  return sizes;
}

int Run(const std::vector<std::string>& arguments) {
  std::vector<int32_t> sizes = {1000, 25000};
  int showMs = 0;
  for (size_t i = 0; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == "--sizes") sizes = ParseSizes(arguments[i + 1]);
    if (arguments[i] == "--show") showMs = std::max(0, std::atoi(arguments[i + 1].c_str()));
  }
  InitApplication("Vorbel Ver.1.11a");
  std::printf(
      "| texts | rows | plan and preview (ms) | dialog shown (ms) | to the last row (ms) | closed (ms) |\n");
  std::printf("|---:|---:|---:|---:|---:|---:|\n");
  for (const int32_t size : sizes) {
    TForm1 form;
    form.Show();
    SaveLines(TForm1::ExchangeFile(), TLineList::FromBytes(SelectionFileBytes(size)));
    if (!form.LoadExport()) return 1;
    form.ListTextEnts();
    ProcessMessages();
    std::vector<std::string> lines = form.Memo1.Lines();
    for (size_t i = 0; i < lines.size(); ++i) lines[i] = i % 10 == 9 ? std::string() : "N" + lines[i];

    const auto start = TClock::now();
    DeleteTrailingBlankLines(lines, form.Selection.TextEnts.size());
    const TUpdatePlan plan = form.PlanUpdateOf(lines, 0, 0);
    const TUpdatePreview preview = PreviewUpdate(form.Selection, lines, plan);
    const auto planned = TClock::now();
    TClock::time_point shown;
    TClock::time_point scrolled;
    TUpdatePreviewForm dialog(preview, "", preview.NeedsLook());
    SetModalDriver([&](TForm&) {
      ProcessMessages();  // painted
      shown = TClock::now();
      dialog.ListView1.SetItemIndex(static_cast<int>(dialog.ListView1.RowCount()) - 1);
      ProcessMessages();
      scrolled = TClock::now();
      if (size == sizes.back() && showMs > 0) {
        dialog.ListView1.SetItemIndex(0);
        for (const auto until = TClock::now() + std::chrono::milliseconds(showMs); TClock::now() < until;) {
          ProcessMessages();
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
      }
      ClickControl(dialog.ButtonCancel);
    });
    const bool confirmed = dialog.Execute();
    const auto closed = TClock::now();
    SetModalDriver(nullptr);
    if (confirmed) return 1;
    std::printf("| %d | %zu | %.1f | %.1f | %.1f | %.1f |\n", size, preview.Changes.size(),
                Milliseconds(planned - start), Milliseconds(shown - planned), Milliseconds(scrolled - shown),
                Milliseconds(closed - scrolled));
    std::fflush(stdout);
  }
  DeleteFileAt(TForm1::ExchangeFile());
  return 0;
}

}  // namespace

}  // namespace vorbel::bench

int main(int argc, char** argv) { return vorbel::bench::Run(vorbel::ProgramArguments(argc, argv)); }
