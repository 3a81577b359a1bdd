#include "workflow/update_checks.h"

#include <string_view>

namespace vorbel {

namespace {

struct TKindName {
  std::string_view Type;
  std::string_view Name;
};

// The object kinds a drafter selects most, by the names AutoCAD's own
// Japanese commands give them; any other kind goes by its DXF type.
constexpr TKindName kKindNames[] = {
    {"LINE", "線分"},
    {"CIRCLE", "円"},
    {"ARC", "円弧"},
    {"LWPOLYLINE", "ポリライン"},
    {"POLYLINE", "ポリライン"},
    {"INSERT", "ブロック参照"},
    {"DIMENSION", "寸法"},
    {"HATCH", "ハッチング"},
    {"MTEXT", "マルチテキスト"},
    {"POINT", "点"},
    {"ELLIPSE", "楕円"},
    {"SPLINE", "スプライン"},
    {"SOLID", "ソリッド"},
    {"LEADER", "引出線"},
    {"ATTDEF", "属性定義"},
    {"TEXT", "グループなどに属する文字"},
};

std::string KindName(const std::string& type) {
  for (const TKindName& kind : kKindNames) {
    if (kind.Type == type) return std::string(kind.Name);
  }
  return type;
}

}  // namespace

std::string LockedLayersMessage(const TLockedObjects& locked) {
  std::string layers;
  for (const std::string& name : locked.Layers) {
    if (!layers.empty()) layers += "、";
    layers += name;
  }
  return "ロックされた画層 (" + layers + ") に一覧の図形が " + std::to_string(locked.Count) +
         " 個あるため、更新しませんでした。画層のロックを解除してから、もう一度「更新」してください。"
         "編集した行は残っています";
}

std::string RedrawQuestion(const std::map<std::string, size_t>& kinds) {
  // Kinds that share a name (the two polylines) are counted together.
  std::map<std::string, size_t> byName;
  std::string list;
  for (const auto& [type, count] : kinds) byName[KindName(type)] += count;
  for (const auto& [name, count] : byName) {
    if (!list.empty()) list += "、";
    list += name + " " + std::to_string(count) + " 個";
  }
  return "一覧の選択セットには文字のほかに " + list +
         " があります。更新するとこれらも消去し、書き出したファイルから描き直します。"
         "グループへの所属や関連付け、R2000 形式にない性質 (トゥルーカラー、透過性など) "
         "は失われることがあります。"
         "更新しますか?";
}

}  // namespace vorbel
