#include "base/settings_file.h"

#include <optional>
#include <vector>

#include "base/errors.h"
#include "base/files.h"
#include "base/numbers.h"
#include "cp932/cp932.h"

namespace vorbel {

namespace {

constexpr size_t kMaxValueLength = 2047;

std::string_view TrimSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares character by character; only single-byte letters fold, so the
// second byte of a double-byte character never matches another's.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(a[i]) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// A line of the file seen as a section header or a key.
struct TProfileLine {
  enum TKind { kOther, kSection, kKey } kind = kOther;
  std::string_view name;   // section or key name
  std::string_view value;  // key value
};

TProfileLine ReadLine(std::string_view line) {
  const std::string_view trimmed = TrimSpaces(line);
  if (trimmed.empty()) return {};
  if (trimmed.front() == '[') {
    const std::string_view inside = trimmed.substr(1);
    return {TProfileLine::kSection, TrimSpaces(inside.substr(0, inside.find(']'))), {}};
  }
  const size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return {TProfileLine::kKey, trimmed, {}};
  return {TProfileLine::kKey, TrimSpaces(trimmed.substr(0, equals)), TrimSpaces(trimmed.substr(equals + 1))};
}

// Where a section and a key stand in the file's lines.
struct TPlace {
  std::optional<size_t> section;  // the header's line
  size_t sectionEnd = 0;          // one past the section's last non-blank line
  std::optional<size_t> keyLine;  // the key's line
};

TPlace Locate(const TLineList& lines, std::string_view section, std::string_view key) {
  TPlace place;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const TProfileLine line = ReadLine(lines[i]);
    if (line.kind == TProfileLine::kSection) {
      if (inSection) break;
      inSection = !place.section && SameName(line.name, section);
      if (inSection) {
        place.section = i;
        place.sectionEnd = i + 1;
      }
    } else if (inSection && line.kind == TProfileLine::kKey) {
      place.sectionEnd = i + 1;
      if (!place.keyLine && SameName(line.name, key)) place.keyLine = i;
    }
  }
  return place;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
  size_t dot = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (IsLeadByte(c)) {
      ++i;
    } else if (c == '.') {
      dot = i;
    } else if (c == '\\' || c == '/' || c == ':') {
      dot = std::string_view::npos;
    }
  }
  std::string result(path.substr(0, dot));
  result.append(extension);
  return result;
}

std::string TSettingsFile::ReadString(std::string_view section, std::string_view key,
                                      std::string_view fallback) const {
  TLineList lines;
  try {
    if (!FileExists(path_)) return std::string(fallback);
    lines = LoadLines(path_);
  } catch (const TRuntimeError&) {
    return std::string(fallback);
  }
  const TPlace place = Locate(lines, section, key);
  if (!place.keyLine) return std::string(fallback);
  const std::string_view value = Unquote(ReadLine(lines[*place.keyLine]).value);
  return std::string(value.substr(0, kMaxValueLength));
}

int32_t TSettingsFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const {
  const std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string hex(1, '$');
    hex.append(text, 2, std::string::npos);
    return StrToIntDef(hex, fallback);
  }
  return StrToIntDef(text, fallback);
}

bool TSettingsFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TSettingsFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  TLineList lines;
  if (FileExists(path_)) {
    try {
      lines = LoadLines(path_);
    } catch (const TRuntimeError&) {
      // An existing file that cannot be read must not be overwritten.
      RaiseCannotWrite(path_);
    }
  }
  const TPlace place = Locate(lines, section, key);
  std::string entry;
  if (place.keyLine) {
    entry.append(ReadLine(lines[*place.keyLine]).name).append("=").append(value);
    lines.Replace(*place.keyLine, entry);
  } else {
    entry.append(key).append("=").append(value);
    TLineList updated;
    if (place.section) {
      if (place.sectionEnd > 0) updated.AppendRange(lines, 0, place.sectionEnd - 1);
      updated.push_back(entry);
      if (place.sectionEnd < lines.size()) updated.AppendRange(lines, place.sectionEnd, lines.size() - 1);
    } else {
      updated.AppendAll(lines);
      std::string header(1, '[');
      header.append(section).push_back(']');
      updated.push_back(header);
      updated.push_back(entry);
    }
    lines = std::move(updated);
  }
  SaveLines(path_, lines);
}

void TSettingsFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TSettingsFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace vorbel
