// Whole-file reading and writing. Paths are code page 932 bytes.
#pragma once

#include <string>
#include <string_view>

#include "base/line_list.h"

namespace vorbel {

bool FileExists(std::string_view path);
// The folder part of a path, without its last separator ("\\" or "/"); empty
// when the path has none. The second byte of a double-byte character ("表"
// is 0x95 0x5C) is never taken for a separator.
std::string ExtractFileDir(std::string_view path);
// Deletes the file if it exists; true when no file is left.
bool DeleteFileAt(std::string_view path);

// Raises "%s を開けません" when the file cannot be read.
std::string ReadFileBytes(std::string_view path);

// Writes the lines, each followed by CR LF, into a temporary file beside
// `path` and then puts it in place of `path`, so a reader never sees a
// half-written file and a failed write leaves the old file as it was.
// Raises "%s に書き込めません" on any failure.
void SaveLines(std::string_view path, const TLineList& lines);

// Whether a new file can be made in the folder (one is made and deleted).
bool CanCreateFileIn(std::string_view folder);

// Reads a file as a line list (TLineList::FromBytes).
TLineList LoadLines(std::string_view path);

}  // namespace vorbel
