#include "acadctrl/command_line.h"

#include <algorithm>
#include <climits>

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/text_functions.h"
#include "base/numbers.h"
#include "cp932/cp932.h"

namespace vorbel {

namespace {

// The idle prompt, full-width and half-width, each with its blank.
constexpr std::string_view kIdlePrompt = "コマンド: ";
constexpr std::string_view kIdlePromptHalfWidth = "ｺﾏﾝﾄﾞ: ";

// GetSysVar looks for "=" and "(" only in this many last bytes of the recent
// history.
constexpr size_t kSysVarHistoryTail = 256;

// How long GetSysVar waits for the variable's prompt (milliseconds).
constexpr unsigned kSysVarPatience = 2000;

// The prompt that asks for the variable's new value, offering the current one
// between "<" and ">".
bool OffersValueOf(std::string_view SysVarName, std::string_view prompt) {
  return prompt.find(SysVarName) != std::string_view::npos && !TextBetween("<", ">", prompt).empty();
}

// A read-only variable offers no value to change: AutoCAD writes
// "WORLDUCS = 1 (読み込み専用)" into the history and is idle again.
bool ToldValueOf(std::string_view SysVarName, std::string_view prompt) {
  if (!IsIdlePrompt(prompt)) return false;
  const std::string history = ReadTextWindowLine();
  std::string_view last = TrimBlanks(history);
  const size_t lineStart = last.find_last_of("\r\n");
  if (lineStart != std::string_view::npos) last.remove_prefix(lineStart + 1);
  return last.starts_with(SysVarName) && last.find('=') != std::string_view::npos;
}

// The position of the last CR or LF, 1-based; 0 when there is none.
size_t LastLineBreak(std::string_view text) {
  const size_t found = text.find_last_of("\r\n");
  return found == std::string_view::npos ? 0 : found + 1;
}

// The whole number before "ｵﾌﾞｼﾞｪｸﾄを" in `text`, else before "オブジェクトを";
// with neither, the whole text when `wholeWithoutMark`, else none. -1 when no
// number is found.
int32_t CountBeforeObjectPrompt(std::string_view text, bool wholeWithoutMark) {
  size_t mark = text.find("ｵﾌﾞｼﾞｪｸﾄを");
  if (mark == std::string_view::npos) mark = text.find("オブジェクトを");
  if (mark == std::string_view::npos && !wholeWithoutMark) return -1;
  const std::string_view count = TrimBlanks(text.substr(0, mark));
  if (count.empty()) return -1;
  return StrToIntDef(count, -1);
}

}  // namespace

std::string GetWindowString(TWindow window) {
  const long length = SendGetTextLength(window);
  // LONG_MAX leaves no room for the NUL; no window has such a text.
  if (length <= 0 || length == LONG_MAX) return {};
  return SendGetText(window, length + 1);
}

std::string ReadCommandLine() {
  std::string prompt;
  const TWindow mainWnd = FindAcadWindow();
  if (IsWindowAlive(mainWnd)) {
    const TWindow promptWnd = FindCommandLineWindows(mainWnd).PromptWnd;
    if (IsWindowAlive(promptWnd)) prompt = GetWindowString(promptWnd);
  }
  return prompt;
}

bool IsIdlePrompt(std::string_view prompt) { return prompt == kIdlePrompt || prompt == kIdlePromptHalfWidth; }

bool WaitForPrompt(const std::function<bool(std::string_view prompt)>& test, unsigned timeoutMs) {
  bool gone = false;
  const bool shown = WaitUntil(
      [&] {
        gone = FindAcadWindow() == kNoWindow;
        return gone || test(ReadCommandLine());
      },
      timeoutMs);
  return shown && !gone;
}

std::string ReadTextWindowLine() {
  std::string history;
  const TWindow textWnd = FindTextWindow();
  if (IsWindowAlive(textWnd)) {
    const TWindow historyWnd = FindCommandLineWindows(textWnd).HistoryWnd;
    if (IsWindowAlive(historyWnd)) history = GetWindowString(historyWnd);
  }
  return history;
}

std::string LastHistoryLine() {
  const std::string whole = CopyHistory();
  std::string_view history = whole;
  size_t lineBreak = LastLineBreak(history);
  if (lineBreak == history.size()) {
    // The history ends with a line break (or is empty): the line before it is
    // the last one. The break is CR LF on the clipboard; a lone CR or LF is
    // cut alone, so the line keeps its last character.
    const size_t breakLength = history.ends_with("\r\n") ? 2 : 1;
    history.remove_suffix(std::min(breakLength, history.size()));
    lineBreak = LastLineBreak(history);
  }
  return std::string(history.substr(lineBreak));
}

std::string GetSysVar(std::string_view SysVarName) {
  // The leading "'" runs the query transparently, inside a running command.
  std::string query = "'";
  query += SysVarName;
  query += '\r';
  SendCommand(query);
  WaitForPrompt(
      [SysVarName](std::string_view prompt) {
        return OffersValueOf(SysVarName, prompt) || ToldValueOf(SysVarName, prompt);
      },
      kSysVarPatience);
  std::string value = TextBetween("<", ">", ReadCommandLine());
  if (!value.empty()) {
    // The prompt offering the value is not answered. What the tool reads
    // next must not take the prompt for a command of its own.
    SendCommand("\x03");
    WaitForPrompt(IsIdlePrompt, kSysVarPatience);
    return value;
  }
  const std::string history = ReadTextWindowLine();
  std::string_view recent = history;
  if (recent.size() > kSysVarHistoryTail) recent.remove_prefix(recent.size() - kSysVarHistoryTail);
  value = TextBetween("=", "(", recent);
  if (value.empty()) value = TextAfterLast("=", LastHistoryLine());
  return value;
}

int32_t GetSelectedCount() {
  if (!IsIdlePrompt(ReadCommandLine())) return 0;
  // The echo of the last selection.
  const std::string echo = TextAfterLast("SELECT", ReadTextWindowLine());
  const std::string total = TextAfterLast("総数", echo);
  if (!total.empty()) return CountBeforeObjectPrompt(total, false);
  const std::string found = TextAfterLast("認識された数:", echo);
  if (found.empty()) return -1;
  // The count may end its line: the lines after it (SNAPMODE set back, say)
  // are no part of it.
  const std::string_view line = std::string_view(found).substr(0, found.find_first_of("\r\n"));
  return CountBeforeObjectPrompt(line, true);
}

}  // namespace vorbel
