#include "companion.h"

#include <optional>

#include "base/files.h"
#include "base/numbers.h"
#include "dxf/creation.h"
#include "dxf/dxf_slices.h"
#include "dxf/insertion_file.h"
#include "dxf/rewrite.h"
#include "dxf/text_ents.h"
#include "platform/process_io.h"
#include "texttools/char_check.h"
#include "texttools/line_checks.h"
#include "vorbel_version.h"
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
    "       vorbel-dxf check [--sort] FILE.dxf\n"
    "       vorbel-dxf --help | -h | --version\n"
    "\n"
    "list       prints the memo lines a selection exported as FILE.dxf would list\n"
    "update     writes the update file Update would write from the lines of LINES.txt\n"
    "make       writes the creation file Make would write from the lines of LINES.txt\n"
    "check      prints the duplicates, the gaps of numbered runs and the machine-dependent\n"
    "           characters among the texts of FILE.dxf (their own bytes, line numbers\n"
    "           as the list counts them), in the terminal's encoding\n"
    "--sort     the texts in coordinate order (a row left to right, a column top to\n"
    "           bottom), as the list shows them with coordinate order ticked\n"
    "--help     prints this text; --version prints the version\n"
    "All texts are code page 932 bytes; lines end with CR LF.\n"
    "Exit status: 0 done, 1 error (message on standard error), 2 wrong usage.\n"
    "check exits 0 when it finds nothing, 1 when it finds something, 2 on wrong usage\n"
    "or an error.\n";

enum class TRequest { kRun, kHelp, kVersion, kWrongUsage };

struct TArguments {
  TRequest request = TRequest::kRun;
  std::string command;
  std::vector<std::string> files;
  bool sort = false;
  std::optional<std::string> dx;
  std::optional<std::string> dy;
};

// --help, -h and --version answer wherever they stand as an option (not as
// the value of --dx or --dy), as command-line programs do.
TArguments ParseArguments(const std::vector<std::string>& args) {
  TArguments parsed;
  bool unknownOption = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h" || arg == "--version") {
      parsed.request = arg == "--version" ? TRequest::kVersion : TRequest::kHelp;
      return parsed;
    }
    if (i == 0) {
      parsed.command = arg;
    } else if (arg == "--sort") {
      parsed.sort = true;
    } else if ((arg == "--dx" || arg == "--dy") && i + 1 < args.size()) {
      (arg == "--dx" ? parsed.dx : parsed.dy) = args[++i];
    } else if (arg.starts_with("--")) {
      unknownOption = true;
    } else {
      parsed.files.push_back(arg);
    }
  }
  const bool fits = ((parsed.command == "list" || parsed.command == "check") && parsed.files.size() == 1 &&
                     !parsed.dx && !parsed.dy) ||
                    (parsed.command == "update" && parsed.files.size() == 3 && !parsed.dx && !parsed.dy) ||
                    (parsed.command == "make" && parsed.files.size() == 3 && parsed.dx && parsed.dy);
  if (unknownOption || !fits) parsed.request = TRequest::kWrongUsage;
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
  PrepareForInsertion(selection.dxfLines);
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
  TLineList file = BuildCreationFile(head, pattern, tail, texts);
  PrepareForInsertion(file);
  SaveLines(args.files[2], file);
}

// The findings of the duplicate, gap and character checks, one a line;
// empty when there are none.
std::string CheckReport(const TSelection& selection) {
  std::vector<std::string> texts;
  for (const TTextEnt& ent : selection.textEnts) texts.push_back(ent.Text);
  std::string report;
  for (const TCheckEntry& entry : LineCheckEntries(CheckLines(texts), false)) report += entry.Text + "\n";
  for (const TOddLine& line : CheckChars(texts)) {
    for (const TOddChar& odd : line.Chars) {
      report += "機種依存文字: " + std::to_string(line.Line + 1) + " 行目 " +
                OddCharText(texts[line.Line], odd) + " (" + std::string(OddKindName(odd.Kind)) + ")\n";
    }
  }
  return report;
}

// The listed lines for standard output (nothing for update and make).
void Run(const TArguments& args, std::string& out) {
  TSelection selection = ReadSelection(args.files[0]);
  // Coordinate order, as the list shows it with "座標順" ticked; the pattern
  // of new texts is then the last text in that order.
  if (args.sort) SortByCoords(selection.textEnts);
  if (args.command == "list") {
    out = ListLines(selection);
    return;
  }
  if (args.command == "check") {
    out = CheckReport(selection);
    return;
  }
  RequireRecords(selection, args.files[0]);
  if (args.command == "update") {
    WriteUpdateFile(selection, args.files[1], args.files[2]);
  } else {
    WriteCreationFile(selection, args);
  }
}

}  // namespace

int RunCompanion(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  const TArguments parsed = ParseArguments(args);
  switch (parsed.request) {
    case TRequest::kHelp:
      WriteMessage(out, kUsageText);
      return kOk;
    case TRequest::kVersion:
      WriteMessage(out, "vorbel-dxf " VORBEL_VERSION "\n");
      return kOk;
    case TRequest::kWrongUsage:
      WriteMessage(err, kUsageText);
      return kUsage;
    case TRequest::kRun:
      break;
  }
  // The check's status tells what it found; its errors are the usage's.
  const bool check = parsed.command == "check";
  std::string message;
  try {
    std::string listed;
    Run(parsed, listed);
    if (check) {
      WriteMessage(out, listed.empty() ? std::string("重複・欠番・機種依存文字はありません\n") : listed);
      return listed.empty() ? kOk : kError;
    }
    // A listing cut short (a full disk) is an error: an update from the part
    // would empty the texts of the missing lines.
    if (std::fwrite(listed.data(), 1, listed.size(), out) == listed.size() && std::fflush(out) == 0) {
      return kOk;
    }
    message = "standard output: the listed lines could not be written";
  } catch (const TFailure& failure) {
    message = failure.message;
  } catch (const std::exception& error) {
    message = error.what();
  }
  WriteMessage(err, message + "\n");
  return check ? kUsage : kError;
}

}  // namespace vorbel
