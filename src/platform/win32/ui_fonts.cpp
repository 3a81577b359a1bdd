// Fonts: the faces of the layout where they are installed, else another face
// with Japanese glyphs and the same pitch, at the form's DPI.
#include <algorithm>
#include <vector>

#include "platform/win32/text_codec.h"
#include "platform/win32/ui_state.h"

namespace vorbel {

namespace {

struct TFaceSearch {
  std::wstring wanted;  // a face name, or empty for any Japanese face
  bool fixedPitch = false;
  std::wstring found;
};

int CALLBACK CheckFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
  auto& search = *reinterpret_cast<TFaceSearch*>(data);
  const std::wstring face = font->lfFaceName;
  if (face.empty() || face[0] == L'@' || (type & TRUETYPE_FONTTYPE) == 0) return 1;
  const bool fixed = (font->lfPitchAndFamily & 0x3) == FIXED_PITCH;
  if (!search.wanted.empty() || fixed == search.fixedPitch) {
    search.found = face;
    return 0;
  }
  return 1;
}

// Whether `face` is installed (any face with Japanese glyphs and the wanted
// pitch when `face` is empty); the face found.
std::wstring FindFace(const std::wstring& face, bool fixedPitch) {
  TFaceSearch search{face, fixedPitch, {}};
  LOGFONTW query{};
  query.lfCharSet = face.empty() ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
  if (face.size() >= LF_FACESIZE) return {};
  face.copy(query.lfFaceName, face.size());
  const TDeviceContext screen(nullptr);
  EnumFontFamiliesExW(screen.get(), &query, CheckFace, reinterpret_cast<LPARAM>(&search), 0);
  return search.found;
}

}  // namespace

std::string ResolveFontFace(const TFont& font) {
  std::vector<std::wstring> candidates = {Cp932ToWide(font.Face)};
  if (font.FixedPitch) {
    candidates.insert(candidates.end(),
                      {L"MS Gothic", L"IPAGothic", L"IPAゴシック", L"Noto Sans Mono CJK JP"});
  } else {
    candidates.insert(candidates.end(),
                      {L"MS PGothic", L"IPAPGothic", L"IPA Pゴシック", L"Meiryo UI", L"Yu Gothic UI"});
  }
  candidates.push_back(L"");
  for (const std::wstring& candidate : candidates) {
    const std::wstring found = FindFace(candidate, font.FixedPitch);
    if (!found.empty()) return WideToCp932(found);
  }
  // Nothing Japanese installed: the font mapper chooses.
  return std::string(font.Face);
}

HFONT FormFont(TForm& form, const TFont& font, const std::string& face) {
  const int height = form.Scale(font.Height);
  auto& fonts = form.Impl().fonts;
  const auto key = std::make_tuple(face, height, font.Bold, font.FixedPitch);
  auto at = fonts.find(key);
  if (at == fonts.end()) {
    LOGFONTW description{};
    description.lfHeight = -height;
    description.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily =
        static_cast<BYTE>((font.FixedPitch ? FIXED_PITCH : VARIABLE_PITCH) | FF_DONTCARE);
    const std::wstring wide = Cp932ToWide(face);
    wide.copy(description.lfFaceName, std::min<size_t>(wide.size(), LF_FACESIZE - 1));
    at = fonts.emplace(key, TFontHandle(CreateFontIndirectW(&description))).first;
  }
  return at->second.get();
}

}  // namespace vorbel
