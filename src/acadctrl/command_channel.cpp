#include "acadctrl/command_channel.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "acadctrl/acad_windows.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"

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
