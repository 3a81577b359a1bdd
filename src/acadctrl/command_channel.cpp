#include "acadctrl/command_channel.h"

#include <algorithm>
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
  std::string history;
  const TWindow textWnd = FindTextWindow();
  if (textWnd != kNoWindow) {
    SendCommandMessage(textWnd, kCopyHistoryCommandId);
    history = ClipboardText();
  }
  // Emptied also when there was no text window, as every caller expects.
  EmptyClipboardContents();
  return history;
}

}  // namespace vorbel
