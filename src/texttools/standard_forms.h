// The standard forms proposed for machine-dependent characters: a
// character of NEC row 13 or of the IBM extensions (both its codes where
// code page 932 has it twice: the NEC-selected rows and the IBM rows, or NEC
// row 13 and the IBM rows) and the characters of JIS X 0208 or ASCII that
// write it on every system. Where JIS X 0208 has the character itself (≒,
// ∵, ￢) the proposal is its JIS code, which the memo shows already: the
// drawing keeps the other code until the line is replaced.
//
// Characters missing here (∮ ∑ ∟ ⊿ ￤, the IBM kanji such as 髙 and 﨑, the
// user-defined characters) have no proposal. Half-width katakana are
// proposed as full-width katakana by the width table, not here.
#pragma once

namespace vorbel {

struct TStandardForm {
  unsigned short Code;  // lead byte * 256 + trail byte
  unsigned short Twin;  // the character's other code, or 0
  const char* Standard;
};

// clang-format off
inline constexpr TStandardForm kStandardForms[] = {
    {0x8740, 0, "(1)"},  // ① → (1)
    {0x8741, 0, "(2)"},  // ② → (2)
    {0x8742, 0, "(3)"},  // ③ → (3)
    {0x8743, 0, "(4)"},  // ④ → (4)
    {0x8744, 0, "(5)"},  // ⑤ → (5)
    {0x8745, 0, "(6)"},  // ⑥ → (6)
    {0x8746, 0, "(7)"},  // ⑦ → (7)
    {0x8747, 0, "(8)"},  // ⑧ → (8)
    {0x8748, 0, "(9)"},  // ⑨ → (9)
    {0x8749, 0, "(10)"},  // ⑩ → (10)
    {0x874A, 0, "(11)"},  // ⑪ → (11)
    {0x874B, 0, "(12)"},  // ⑫ → (12)
    {0x874C, 0, "(13)"},  // ⑬ → (13)
    {0x874D, 0, "(14)"},  // ⑭ → (14)
    {0x874E, 0, "(15)"},  // ⑮ → (15)
    {0x874F, 0, "(16)"},  // ⑯ → (16)
    {0x8750, 0, "(17)"},  // ⑰ → (17)
    {0x8751, 0, "(18)"},  // ⑱ → (18)
    {0x8752, 0, "(19)"},  // ⑲ → (19)
    {0x8753, 0, "(20)"},  // ⑳ → (20)
    {0x8754, 0xFA4A, "I"},  // Ⅰ → I
    {0x8755, 0xFA4B, "II"},  // Ⅱ → II
    {0x8756, 0xFA4C, "III"},  // Ⅲ → III
    {0x8757, 0xFA4D, "IV"},  // Ⅳ → IV
    {0x8758, 0xFA4E, "V"},  // Ⅴ → V
    {0x8759, 0xFA4F, "VI"},  // Ⅵ → VI
    {0x875A, 0xFA50, "VII"},  // Ⅶ → VII
    {0x875B, 0xFA51, "VIII"},  // Ⅷ → VIII
    {0x875C, 0xFA52, "IX"},  // Ⅸ → IX
    {0x875D, 0xFA53, "X"},  // Ⅹ → X
    {0xEEEF, 0xFA40, "i"},  // ⅰ → i
    {0xEEF0, 0xFA41, "ii"},  // ⅱ → ii
    {0xEEF1, 0xFA42, "iii"},  // ⅲ → iii
    {0xEEF2, 0xFA43, "iv"},  // ⅳ → iv
    {0xEEF3, 0xFA44, "v"},  // ⅴ → v
    {0xEEF4, 0xFA45, "vi"},  // ⅵ → vi
    {0xEEF5, 0xFA46, "vii"},  // ⅶ → vii
    {0xEEF6, 0xFA47, "viii"},  // ⅷ → viii
    {0xEEF7, 0xFA48, "ix"},  // ⅸ → ix
    {0xEEF8, 0xFA49, "x"},  // ⅹ → x
    {0x875F, 0, "ミリ"},  // ㍉ → ミリ
    {0x8760, 0, "キロ"},  // ㌔ → キロ
    {0x8761, 0, "センチ"},  // ㌢ → センチ
    {0x8762, 0, "メートル"},  // ㍍ → メートル
    {0x8763, 0, "グラム"},  // ㌘ → グラム
    {0x8764, 0, "トン"},  // ㌧ → トン
    {0x8765, 0, "アール"},  // ㌃ → アール
    {0x8766, 0, "ヘクタール"},  // ㌶ → ヘクタール
    {0x8767, 0, "リットル"},  // ㍑ → リットル
    {0x8768, 0, "ワット"},  // ㍗ → ワット
    {0x8769, 0, "カロリー"},  // ㌍ → カロリー
    {0x876A, 0, "ドル"},  // ㌦ → ドル
    {0x876B, 0, "セント"},  // ㌣ → セント
    {0x876C, 0, "パーセント"},  // ㌫ → パーセント
    {0x876D, 0, "ミリバール"},  // ㍊ → ミリバール
    {0x876E, 0, "ページ"},  // ㌻ → ページ
    {0x876F, 0, "mm"},  // ㎜ → mm
    {0x8770, 0, "cm"},  // ㎝ → cm
    {0x8771, 0, "km"},  // ㎞ → km
    {0x8772, 0, "mg"},  // ㎎ → mg
    {0x8773, 0, "kg"},  // ㎏ → kg
    {0x8774, 0, "cc"},  // ㏄ → cc
    {0x8775, 0, "m2"},  // ㎡ → m2
    {0x877E, 0, "平成"},  // ㍻ → 平成
    {0x8780, 0, "“"},  // 〝 → “
    {0x8781, 0, "”"},  // 〟 → ”
    {0x8782, 0xFA59, "No."},  // № → No.
    {0x8783, 0, "K.K."},  // ㏍ → K.K.
    {0x8784, 0xFA5A, "TEL"},  // ℡ → TEL
    {0x8785, 0, "(上)"},  // ㊤ → (上)
    {0x8786, 0, "(中)"},  // ㊥ → (中)
    {0x8787, 0, "(下)"},  // ㊦ → (下)
    {0x8788, 0, "(左)"},  // ㊧ → (左)
    {0x8789, 0, "(右)"},  // ㊨ → (右)
    {0x878A, 0xFA58, "(株)"},  // ㈱ → (株)
    {0x878B, 0, "(有)"},  // ㈲ → (有)
    {0x878C, 0, "(代)"},  // ㈹ → (代)
    {0x878D, 0, "明治"},  // ㍾ → 明治
    {0x878E, 0, "大正"},  // ㍽ → 大正
    {0x878F, 0, "昭和"},  // ㍼ → 昭和
    {0x8790, 0, "\x81\xE0"},  // ≒ → ≒ (81E0)
    {0x8791, 0, "\x81\xDF"},  // ≡ → ≡ (81DF)
    {0x8792, 0, "\x81\xE7"},  // ∫ → ∫ (81E7)
    {0x8795, 0, "\x81\xE3"},  // √ → √ (81E3)
    {0x8796, 0, "\x81\xDB"},  // ⊥ → ⊥ (81DB)
    {0x8797, 0, "\x81\xDA"},  // ∠ → ∠ (81DA)
    {0x879A, 0xFA5B, "\x81\xE6"},  // ∵ → ∵ (81E6)
    {0x879B, 0, "\x81\xBF"},  // ∩ → ∩ (81BF)
    {0x879C, 0, "\x81\xBE"},  // ∪ → ∪ (81BE)
    {0xEEF9, 0xFA54, "\x81\xCA"},  // ￢ → ￢ (81CA)
    {0xEEFB, 0xFA56, "’"},  // ＇ → ’
    {0xEEFC, 0xFA57, "”"},  // ＂ → ”
};
// clang-format on

}  // namespace vorbel
