#include "companion.h"

#include <optional>

#include "base/errors.h"
#include "base/files.h"
#include "base/numbers.h"
#include "dxf/creation.h"
#include "dxf/dxf_slices.h"
#include "dxf/rewrite.h"
#include "dxf/text_ents.h"
#include "workflow/memo_lines.h"
#include "workflow/ordering.h"

namespace vorbel {

namespace {

constexpr int kOk = 0;
constexpr int kError = 1;
constexpr int kUsage = 2;

const char* const kUsageText =
    "usage: vorbel-dxf list [--sort] FILE.dxf\n"
    "       vorbel-dxf update [--sort] FILE.dxf LINES.txt OUT.dxf\n"
    "       vorbel-dxf make [--sort] FILE.dxf LINES.txt OUT.dxf --dx DX --dy DY\n"
    "\n"
    "list    prints the memo lines a selection exported as FILE.dxf would list\n"
    "update  writes the update file Update would write from the lines of LINES.txt\n"
    "make    writes the creation file Make would write from the lines of LINES.txt\n"
    "--sort  the texts in coordinate order (a row left to right, a column top to\n"
    "        bottom), as the list shows them with coordinate order ticked\n"
    "All texts are code page 932 bytes; lines end with CR LF.\n";

struct TArguments {
  std::string command;
  std::vector<std::string> files;
  bool sort = false;
  std::optional<std::string> dx;
  std::optional<std::string> dy;
};

std::optional<TArguments> ParseArguments(const std::vector<std::string>& args) {
  if (args.empty()) return std::nullopt;
  TArguments parsed;
  parsed.command = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--sort") {
      parsed.sort = true;
    } else if ((arg == "--dx" || arg == "--dy") && i + 1 < args.size()) {
      (arg == "--dx" ? parsed.dx : parsed.dy) = args[++i];
    } else if (arg.starts_with("--")) {
      return std::nullopt;
    } else {
      parsed.files.push_back(arg);
    }
  }
  const bool fits = (parsed.command == "list" && parsed.files.size() == 1 && !parsed.dx && !parsed.dy) ||
                    (parsed.command == "update" && parsed.files.size() == 3 && !parsed.dx && !parsed.dy) ||
                    (parsed.command == "make" && parsed.files.size() == 3 && parsed.dx && parsed.dy);
  if (!fits) return std::nullopt;
  return parsed;
}

// What a selection leaves behind after the export has been read.
struct TSelection {
  TLineList dxfLines;
  int32_t maxHandle = 0;
  TTextEnts textEnts;
};

struct TFailure {
  std::string message;
};

// The steps of a selection: load, check that the export is complete, the
// largest handle, the records.
TSelection ReadSelection(const std::string& path) {
  TSelection selection;
  selection.dxfLines = LoadLines(path);
  if (!EndsWithEof(selection.dxfLines)) {
    throw TFailure{path + ": the file does not end with 0/EOF; it is incomplete"};
  }
  selection.maxHandle = GetMaxHandle(selection.dxfLines);
  ParseTextEnts(selection.dxfLines, selection.textEnts);
  return selection;
}

void RequireRecords(const TSelection& selection, const std::string& path) {
  if (selection.textEnts.empty()) throw TFailure{path + ": no TEXT entity in the entities section"};
}

std::string ListLines(const TSelection& selection) {
  std::string out;
  for (const TTextEnt& ent : selection.textEnts) {
    out += ent.Text;
    out += "\r\n";
  }
  return out;
}

void WriteUpdateFile(TSelection& selection, const std::string& linesPath, const std::string& outPath) {
  std::vector<std::string> lines = LoadLines(linesPath).ToStrings();
  DeleteTrailingBlankLines(lines, selection.textEnts.size());
  TakeMemoLines(lines, selection.textEnts);
  ApplyTextEnts(selection.textEnts, selection.dxfLines);
  DeleteMarkedEntities(selection.textEnts, selection.dxfLines);
  SaveLines(outPath, selection.dxfLines);
}

void WriteCreationFile(const TSelection& selection, const TArguments& args) {
  const double dX = StrToFloat(*args.dx);
  const double dY = StrToFloat(*args.dy);
  std::vector<std::string> lines = LoadLines(args.files[1]).ToStrings();
  DeleteTrailingBlankLines(lines, selection.textEnts.size());
  if (lines.empty()) throw TFailure{args.files[1] + ": no line to create; nothing written"};
  TLineList head;
  TLineList tail;
  TLineList pattern;
  CopyEntityByHandle("TEXT", selection.textEnts.back().Handle, selection.dxfLines, pattern);
  CopyDxfHead(selection.dxfLines, head);
  CopyDxfTail(selection.dxfLines, tail);
  const auto texts = NewTextsAtPitch(lines, selection.maxHandle, dX, dY);
  SaveLines(args.files[2], BuildCreationFile(head, pattern, tail, texts));
}

int Run(const TArguments& args, std::string& out) {
  TSelection selection = ReadSelection(args.files[0]);
  // Coordinate order, as the list shows it with "座標順" ticked; the pattern
  // of new texts is then the last text in that order.
  if (args.sort) SortByCoords(selection.textEnts);
  if (args.command == "list") {
    out = ListLines(selection);
    return kOk;
  }
  RequireRecords(selection, args.files[0]);
  if (args.command == "update") {
    WriteUpdateFile(selection, args.files[1], args.files[2]);
  } else {
    WriteCreationFile(selection, args);
  }
  return kOk;
}

}  // namespace

int RunCompanion(const std::vector<std::string>& args, std::string& out, std::string& err) {
  const auto parsed = ParseArguments(args);
  if (!parsed) {
    err = kUsageText;
    return kUsage;
  }
  try {
    return Run(*parsed, out);
  } catch (const TFailure& failure) {
    err = failure.message + "\n";
  } catch (const TRuntimeError& error) {
    err = std::string(error.what()) + "\n";
  } catch (const std::exception& error) {
    err = std::string(error.what()) + "\n";
  }
  out.clear();
  return kError;
}

}  // namespace vorbel
