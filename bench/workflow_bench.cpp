// vorbel-workflow-bench: times the main window's own steps on generated
// selection exports: from the exported file to the filled memo (load,
// completeness check, largest handle, records, ordering, head, tail and
// pattern, pitch, memo) and from the memo's lines to the written update file
// (lines, records, rewrite, save). The window is the real TForm1: headless
// on Linux, the Win32 one under Wine, where filling the memo costs the edit
// control's time.
//
//   vorbel-workflow-bench [--sizes N,N,...] [--runs N]
//
// Prints a Markdown table; the exchange file lies beside the program, as the
// tool's own does.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "base/files.h"
#include "dxf/rewrite.h"
#include "dxf/text_ents.h"
#include "platform/application.h"
#include "platform/process_io.h"
#include "selection_file.h"

namespace vorbel::bench {

namespace {

enum class TLayout { Row, Column, Grid };

const char* LayoutName(TLayout layout) {
  switch (layout) {
    case TLayout::Row:
      return "row";
    case TLayout::Column:
      return "column";
    case TLayout::Grid:
      return "grid";
  }
  return "";
}

// The generated export with its texts moved onto the layout, in file order
// from the end of the layout back, so that coordinate order has work to do.
TLineList LaidOutExport(int32_t textCount, TLayout layout) {
  TLineList lines = TLineList::FromBytes(SelectionFileBytes(textCount));
  TTextEnts ents;
  ParseTextEnts(lines, ents);
  const size_t n = ents.size();
  const size_t columns = std::max<size_t>(1, static_cast<size_t>(std::sqrt(static_cast<double>(n))));
  for (size_t i = 0; i < n; ++i) {
    const double k = static_cast<double>(n - 1 - i);
    TDxfPoint point;
    if (layout == TLayout::Row) point = {k * 7.5, 100.0, 0};
    if (layout == TLayout::Column) point = {20.0, -k * 4.0, 0};
    if (layout == TLayout::Grid) {
      const size_t j = n - 1 - i;
      point = {static_cast<double>(j % columns) * 30.0, -static_cast<double>(j / columns) * 4.0, 0};
    }
    ents[i].InsPoint = point;
    ents[i].AlignPoint = point;
    ents[i].HJust = 0;
    ents[i].VJust = 0;
  }
  ApplyTextEnts(ents, lines);
  return lines;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

struct TTimes {
  double ReadMs = 1e300;  // of which the file to the records
  double ListMs = 1e300;
  double UpdateMs = 1e300;
  size_t Lines = 0;
};

TTimes Measure(const TLineList& exported, bool coordinateOrder, int runs) {
  TTimes best;
  for (int run = 0; run < runs; ++run) {
    TForm1 form;
    form.CheckSort.SetChecked(coordinateOrder);
    SaveLines(TForm1::ExchangeFile(), exported);
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = form.LoadExport();
    const auto read = std::chrono::steady_clock::now();
    if (loaded) form.ListTextEnts();
    const auto listed = std::chrono::steady_clock::now();
    best.ReadMs = std::min(best.ReadMs, Milliseconds(read - start));
    best.Lines = form.Memo1.LineCount();
    // Every line edited, as a renumbering does.
    std::vector<std::string> edited = form.Memo1.Lines();
    for (std::string& line : edited) line.insert(line.begin(), 'N');
    const auto updateStart = std::chrono::steady_clock::now();
    form.WriteUpdateFile(form.PlanUpdateOf(edited, 0, 0));
    const auto updated = std::chrono::steady_clock::now();
    best.ListMs = std::min(best.ListMs, Milliseconds(listed - start));
    best.UpdateMs = std::min(best.UpdateMs, Milliseconds(updated - updateStart));
  }
  return best;
}

std::vector<int32_t> ParseSizes(std::string_view text) {
  std::vector<int32_t> sizes;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    sizes.push_back(std::atoi(std::string(text.substr(0, comma)).c_str()));
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return sizes;
}

int Run(const std::vector<std::string>& arguments) {
  std::vector<int32_t> sizes = {1000, 25000, 100000};
  int runs = 3;
  for (size_t i = 0; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == "--sizes") sizes = ParseSizes(arguments[i + 1]);
    if (arguments[i] == "--runs") runs = std::max(1, std::atoi(arguments[i + 1].c_str()));
  }
  InitApplication("Vorbel Ver.1.11a");
  std::printf(
      "| texts | layout | order | lines | export to memo (ms) | of which file to records | memo to update "
      "file (ms) |\n");
  std::printf("|---:|---|---|---:|---:|---:|---:|\n");
  for (const int32_t size : sizes) {
    for (const TLayout layout : {TLayout::Row, TLayout::Column, TLayout::Grid}) {
      const TLineList exported = LaidOutExport(size, layout);
      for (const bool coordinateOrder : {false, true}) {
        const TTimes times = Measure(exported, coordinateOrder, runs);
        std::printf("| %d | %s | %s | %zu | %.1f | %.1f | %.1f |\n", size, LayoutName(layout),
                    coordinateOrder ? "coordinates" : "file", times.Lines, times.ListMs, times.ReadMs,
                    times.UpdateMs);
        std::fflush(stdout);
      }
    }
  }
  DeleteFileAt(TForm1::ExchangeFile());
  return 0;
}

}  // namespace

}  // namespace vorbel::bench

int main(int argc, char** argv) { return vorbel::bench::Run(vorbel::ProgramArguments(argc, argv)); }
