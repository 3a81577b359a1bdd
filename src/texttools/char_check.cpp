#include "texttools/char_check.h"

#include <algorithm>
#include <array>

#include "cp932/cp932.h"
#include "texttools/acad_codes.h"
#include "texttools/standard_forms.h"
#include "texttools/string_utils.h"

namespace vorbel {
namespace {

constexpr bool IsHalfWidthKana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

// The kind of a double-byte code, or nothing for JIS X 0208 and the codes
// without a character outside the listed areas.
bool OddKindOf(unsigned code, TOddKind& kind) {
  if (code >= 0x8740 && code <= 0x879E) {
    kind = TOddKind::NecSpecial;
  } else if (code >= 0xED40 && code <= 0xEEFC) {
    kind = TOddKind::NecSelected;
  } else if (code >= 0xF040 && code <= 0xF9FC) {
    kind = TOddKind::UserDefined;
  } else if (code >= 0xFA40 && code <= 0xFC4B) {
    kind = TOddKind::IbmExtension;
  } else {
    return false;
  }
  return true;
}

std::string_view StandardFormOf(unsigned code) {
  for (const TStandardForm& form : kStandardForms) {
    if (form.Code == code || form.Twin == code) return form.Standard;
  }
  return {};
}

// The machine-dependent characters of a run of ordinary characters that
// starts at `offset` in its text.
void FindInPiece(std::string_view piece, size_t offset, std::vector<TOddChar>& found) {
  size_t i = 0;
  while (i < piece.size()) {
    const auto c = static_cast<unsigned char>(piece[i]);
    if (IsLeadByte(c)) {
      if (i + 1 >= piece.size()) break;  // a lead byte without its second byte
      const unsigned code = c * 256U + static_cast<unsigned char>(piece[i + 1]);
      TOddKind kind{};
      if (OddKindOf(code, kind)) found.push_back({offset + i, 2, kind, std::string(StandardFormOf(code))});
      i += 2;
    } else if (IsHalfWidthKana(c)) {
      size_t end = i + 1;
      while (end < piece.size() && IsHalfWidthKana(static_cast<unsigned char>(piece[end]))) ++end;
      std::string standard(piece.substr(i, end - i));
      ToFullWidth(standard);
      found.push_back({offset + i, end - i, TOddKind::HalfWidthKana, std::move(standard)});
      i = end;
    } else {
      ++i;
    }
  }
}

}  // namespace

std::vector<TOddChar> FindOddChars(std::string_view text) {
  std::vector<TOddChar> found;
  size_t offset = 0;
  for (const TTextPiece& piece : SplitAcadCodes(text)) {
    if (!piece.IsCode) FindInPiece(piece.Text, offset, found);
    offset += piece.Text.size();
  }
  return found;
}

std::string WithStandardForms(std::string_view text) {
  std::string out;
  size_t done = 0;
  for (const TOddChar& odd : FindOddChars(text)) {
    if (odd.Standard.empty()) continue;
    out.append(text.substr(done, odd.Begin - done));
    out += odd.Standard;
    done = odd.Begin + odd.Length;
  }
  out.append(text.substr(done));
  return out;
}

std::vector<TOddLine> CheckChars(const std::vector<std::string>& texts) {
  std::vector<TOddLine> lines;
  for (size_t i = 0; i < texts.size(); ++i) {
    std::vector<TOddChar> chars = FindOddChars(texts[i]);
    if (!chars.empty()) lines.push_back({i, std::move(chars)});
  }
  return lines;
}

std::string_view OddKindName(TOddKind kind) {
  static constexpr std::array<std::string_view, 5> kNames = {"NEC特殊文字", "NEC選定IBM拡張文字", "外字",
                                                             "IBM拡張文字", "半角カナ"};
  return kNames[static_cast<size_t>(kind)];
}

std::string OddCharText(std::string_view text, const TOddChar& odd) {
  std::string out(text.substr(odd.Begin, odd.Length));
  if (odd.Standard.empty()) return out + " (置き換えなし)";
  return out + " → " + odd.Standard;
}

}  // namespace vorbel
