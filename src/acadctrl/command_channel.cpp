#include "acadctrl/command_channel.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "base/errors.h"
#include "base/files.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/file_path.h"

namespace vorbel {

void SendCommand(std::string_view command) {
  const TWindow mainWnd = FindAcadWindow();
  // The command and its NUL, in the usual 256-byte buffer or, for a longer
  // command (an export to a deep folder path), in one of its own length: the
  // command always arrives whole.
  std::vector<char> buffer(std::max(kCommandBufferSize, command.size() + 1), '\0');
  std::copy(command.begin(), command.end(), buffer.begin());
  const auto cbData = static_cast<uint32_t>(command.size() + 1);
  SendCopyData(mainWnd, kTypedInputData, buffer.data(), cbData);
  PostNullMessage(mainWnd);
}

namespace {

[[noreturn]] void RaiseBlankInName(std::string_view path) {
  throw TRuntimeError(std::string(path) +
                      " の名前に空白があるため、AutoCAD に渡せません。空白のないフォルダーに置いてください");
}

}  // namespace

std::string PathForCommand(std::string_view path) {
  if (path.find(' ') == std::string_view::npos) return std::string(path);
  const std::string folder = ExtractFileDir(path);
  const std::string_view name = path.substr(folder.empty() ? 0 : folder.size() + 1);
  if (folder.empty() || name.find(' ') != std::string_view::npos) RaiseBlankInName(path);
  const std::string shortFolder = ShortPathName(folder);
  if (shortFolder.find(' ') != std::string::npos) RaiseBlankInName(folder);
  return shortFolder + std::string(path.substr(folder.size()));
}

std::string CopyHistory() {
  const TWindow textWnd = FindTextWindow();
  if (textWnd == kNoWindow) return {};
  // The history passes through the clipboard; what the user had copied there
  // is put back afterwards. A clipboard that cannot be read now is not
  // overwritten with the history.
  const std::optional<TClipboardContents> saved = SaveClipboardContents();
  if (!saved) return {};
  SendCommandMessage(textWnd, kCopyHistoryCommandId);
  std::string history = ClipboardText();
  RestoreClipboardContents(*saved);
  return history;
}

}  // namespace vorbel
