// Typed input to AutoCAD and its history through the clipboard.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorbel {

// WM_COPYDATA's dwData for typed input.
constexpr std::uintptr_t kTypedInputData = 1;
// The text window's command that puts the whole history on the clipboard.
constexpr uint32_t kCopyHistoryCommandId = 32781;
// The record's buffer holds a command of up to this many bytes and its NUL; a
// longer command gets a buffer of its own length and NUL.
constexpr size_t kCommandBufferSize = 256;

// Sends the command (code page 932 bytes, read by AutoCAD as typed input) to
// the main window found anew, then wakes AutoCAD's message loop. Returns when
// AutoCAD has carried the command out; nothing happens when AutoCAD is not
// running.
void SendCommand(std::string_view command);

// The text window's whole history, taken through the clipboard; empty when
// there is no text window (the clipboard is then left alone) or the clipboard
// cannot be opened. Afterwards the clipboard holds again what it held before
// (the formats SaveClipboardContents keeps): the user's copy survives and
// the history never stays there.
std::string CopyHistory();

// A file's path as a typed command can carry it. AutoCAD may end a typed file
// name at a blank, so the path holds none: a folder whose name has one is
// given in its short (8.3) form. Raises "%s の名前に空白があるため、AutoCAD に
// 渡せません。空白のないフォルダーに置いてください", naming the folder (or the
// file), when a blank is left.
std::string PathForCommand(std::string_view path);

}  // namespace vorbel
