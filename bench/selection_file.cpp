#include "selection_file.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/numbers.h"
#include "joined.h"
#include "platform/file_path.h"

namespace vorbel::bench {

namespace {

// Handles of the objects every export carries, numbered as AutoCAD numbers
// them in a new drawing.
constexpr uint32_t kBlockRecordTable = 0x1;
constexpr uint32_t kLayerTable = 0x2;
constexpr uint32_t kStyleTable = 0x3;
constexpr uint32_t kLtypeTable = 0x5;
constexpr uint32_t kViewTable = 0x6;
constexpr uint32_t kUcsTable = 0x7;
constexpr uint32_t kVportTable = 0x8;
constexpr uint32_t kAppIdTable = 0x9;
constexpr uint32_t kDimStyleTable = 0xA;
constexpr uint32_t kRootDictionary = 0xC;
constexpr uint32_t kGroupDictionary = 0xD;
constexpr uint32_t kPlotStyleDictionary = 0xE;
constexpr uint32_t kPlaceHolder = 0xF;
constexpr uint32_t kLayerZero = 0x10;
constexpr uint32_t kStyleStandard = 0x11;
constexpr uint32_t kAppIdAcad = 0x12;
constexpr uint32_t kLtypeByBlock = 0x14;
constexpr uint32_t kLtypeByLayer = 0x15;
constexpr uint32_t kLtypeContinuous = 0x16;
constexpr uint32_t kMlineStyleDictionary = 0x17;
constexpr uint32_t kMlineStyleStandard = 0x18;
constexpr uint32_t kPlotSettingsDictionary = 0x19;
constexpr uint32_t kLayoutDictionary = 0x1A;
constexpr uint32_t kPaperSpaceRecord = 0x1B;
constexpr uint32_t kPaperSpaceBlock = 0x1C;
constexpr uint32_t kPaperSpaceEnd = 0x1D;
constexpr uint32_t kPaperLayout = 0x1E;
constexpr uint32_t kModelSpaceRecord = 0x1F;
constexpr uint32_t kModelSpaceBlock = 0x20;
constexpr uint32_t kModelSpaceEnd = 0x21;
constexpr uint32_t kModelLayout = 0x22;
constexpr uint32_t kDimStyleStandard = 0x27;
constexpr uint32_t kVportActive = 0x29;
// The drawing's own layers (kFirstLayer on), text styles and MARK block.
constexpr uint32_t kFirstLayer = 0x30;
constexpr uint32_t kStyleJis = 0x38;
constexpr uint32_t kStyleRomans = 0x39;
constexpr uint32_t kMarkRecord = 0x3A;
constexpr uint32_t kMarkBlock = 0x3B;
constexpr uint32_t kMarkCircle = 0x3C;
constexpr uint32_t kMarkText = 0x3D;
constexpr uint32_t kMarkEnd = 0x3E;
// The selected entities are numbered from here on.
constexpr uint32_t kFirstEntity = 0x100;

const char* const kDrawingLayers[] = {"TB-TEXT", "WIRE-NO", "FRAME", "NOTE", "MARK"};
constexpr int32_t kDrawingLayerCount = 5;

// "電源" in code page 932.
const char* const kPowerSource =
    "\x93"
    "d\x8C\xB9";

// Thousandths of a drawing unit: coordinates stay exact and print the way
// AutoCAD prints them.
using TMilli = int64_t;

// The terminal-block tables the texts fill: kColumns texts a row,
// kRowsPerTable rows a table, kTablesAcross tables side by side.
constexpr int32_t kColumns = 8;
constexpr int32_t kRowsPerTable = 25;
constexpr int32_t kTablesAcross = 6;
constexpr TMilli kColumnPitch = 32250;
constexpr TMilli kRowPitch = 7250;
constexpr TMilli kTableWidth = kColumns * kColumnPitch + 45500;
constexpr TMilli kTableHeight = kRowsPerTable * kRowPitch + 31125;
constexpr TMilli kTextHeight = 2500;
constexpr TMilli kTitleHeight = 3500;

std::string RightAligned(std::string text, size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string ZeroPadded(int64_t value, size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

// "150.0" for a whole number; otherwise the decimals, with sixteen places
// ("123.4560000000000000") or without trailing zeros ("2.5").
std::string RealText(TMilli value, bool sixteenPlaces) {
  std::string text = value < 0 ? "-" : "";
  const uint64_t magnitude = value < 0 ? static_cast<uint64_t>(-value) : static_cast<uint64_t>(value);
  text += std::to_string(magnitude / 1000);
  text += '.';
  const uint64_t fraction = magnitude % 1000;
  if (fraction == 0) {
    text += '0';
    return text;
  }
  std::string digits = ZeroPadded(static_cast<int64_t>(fraction), 3);
  if (sixteenPlaces) {
    digits.append(13, '0');
  } else {
    while (digits.back() == '0') digits.pop_back();
  }
  return text + digits;
}

class TDxfWriter {
 public:
  explicit TDxfWriter(size_t reserve) { out_.reserve(reserve); }

  void Str(int code, std::string_view value) {
    Code(code);
    Line(value);
  }
  // 16-bit integers right-aligned to six columns, 32-bit ones to nine.
  void Int(int code, int32_t value) {
    Code(code);
    const size_t width = (code >= 90 && code <= 99) ? 9 : 6;
    Line(RightAligned(std::to_string(value), width));
  }
  void Hex(int code, uint32_t handle) { Str(code, IntToHex(handle, 1)); }
  void Real(int code, TMilli value) { Str(code, RealText(value, true)); }
  void ShortReal(int code, TMilli value) { Str(code, RealText(value, false)); }
  // Groups code, code + 10 and code + 20.
  void Point(int code, TMilli x, TMilli y, TMilli z = 0) {
    Real(code, x);
    Real(code + 10, y);
    Real(code + 20, z);
  }
  // A header variable: group 9 with its name.
  void Var(std::string_view name) { Str(9, name); }

  std::string Take() { return std::move(out_); }

 private:
  void Code(int code) { Line(RightAligned(std::to_string(code), 3)); }
  void Line(std::string_view text) {
    out_.append(text);
    out_.append("\r\n");
  }

  std::string out_;
};

class TRandom {
 public:
  explicit TRandom(uint32_t seed) : state_(seed) {}
  uint32_t Below(uint32_t bound) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ % bound;
  }

 private:
  uint32_t state_;
};

// Entity handles in creation order, with the gaps erased objects leave.
class THandleSource {
 public:
  explicit THandleSource(TRandom& random) : random_(random) {}
  uint32_t Take() {
    const uint32_t handle = next_++;
    if (random_.Below(6) == 0) next_ += 1 + random_.Below(3);
    return handle;
  }
  uint32_t Seed() const { return next_; }

 private:
  TRandom& random_;
  uint32_t next_ = kFirstEntity;
};

struct TExtents {
  TMilli minX = 0;
  TMilli minY = 0;
  TMilli maxX = 0;
  TMilli maxY = 0;
};

void BeginSection(TDxfWriter& w, std::string_view name) {
  w.Str(0, "SECTION");
  w.Str(2, name);
}

void EndSection(TDxfWriter& w) { w.Str(0, "ENDSEC"); }

void WriteHeader(TDxfWriter& w, uint32_t handSeed, const TExtents& extents) {
  BeginSection(w, "HEADER");
  w.Var("$ACADVER");
  w.Str(1, "AC1015");
  w.Var("$ACADMAINTVER");
  w.Int(70, 6);
  w.Var("$DWGCODEPAGE");
  w.Str(3, "ANSI_932");
  w.Var("$INSBASE");
  w.Point(10, 0, 0);
  w.Var("$EXTMIN");
  w.Point(10, extents.minX, extents.minY);
  w.Var("$EXTMAX");
  w.Point(10, extents.maxX, extents.maxY);
  w.Var("$LIMMIN");
  w.Real(10, 0);
  w.Real(20, 0);
  w.Var("$LIMMAX");
  w.Real(10, 420000);
  w.Real(20, 297000);
  w.Var("$ORTHOMODE");
  w.Int(70, 0);
  w.Var("$REGENMODE");
  w.Int(70, 1);
  w.Var("$FILLMODE");
  w.Int(70, 1);
  w.Var("$QTEXTMODE");
  w.Int(70, 0);
  w.Var("$MIRRTEXT");
  w.Int(70, 0);
  w.Var("$LTSCALE");
  w.ShortReal(40, 1000);
  w.Var("$ATTMODE");
  w.Int(70, 1);
  w.Var("$TEXTSIZE");
  w.ShortReal(40, kTextHeight);
  w.Var("$TRACEWID");
  w.ShortReal(40, 1000);
  w.Var("$TEXTSTYLE");
  w.Str(7, "Standard");
  w.Var("$CLAYER");
  w.Str(8, "0");
  w.Var("$CELTYPE");
  w.Str(6, "ByLayer");
  w.Var("$CECOLOR");
  w.Int(62, 256);
  w.Var("$CELTSCALE");
  w.ShortReal(40, 1000);
  w.Var("$DIMSCALE");
  w.ShortReal(40, 1000);
  w.Var("$DIMTXT");
  w.ShortReal(140, kTextHeight);
  w.Var("$LUNITS");
  w.Int(70, 2);
  w.Var("$LUPREC");
  w.Int(70, 4);
  w.Var("$AUNITS");
  w.Int(70, 0);
  w.Var("$AUPREC");
  w.Int(70, 0);
  w.Var("$MENU");
  w.Str(1, ".");
  w.Var("$ELEVATION");
  w.ShortReal(40, 0);
  w.Var("$TDCREATE");
  w.Str(40, "2460311.3796587963");
  w.Var("$TDUPDATE");
  w.Str(40, "2460312.6120418981");
  w.Var("$TDINDWG");
  w.Str(40, "0.0452430556");
  w.Var("$HANDSEED");
  w.Hex(5, handSeed);
  w.Var("$PUCSNAME");
  w.Str(2, "");
  w.Var("$MEASUREMENT");
  w.Int(70, 1);
  w.Var("$INSUNITS");
  w.Int(70, 4);
  w.Var("$CELWEIGHT");
  w.Int(370, -1);
  w.Var("$ENDCAPS");
  w.Int(280, 0);
  w.Var("$PSTYLEMODE");
  w.Int(290, 1);
  w.Var("$FINGERPRINTGUID");
  w.Str(2, "{5A0E6C41-2B7D-4F38-9C1E-0D63B8A7F215}");
  w.Var("$VERSIONGUID");
  w.Str(2, "{FAEB1C32-E019-11D5-929B-00C0DF256EC4}");
  EndSection(w);
}

void WriteClass(TDxfWriter& w, std::string_view dxfName, std::string_view className) {
  w.Str(0, "CLASS");
  w.Str(1, dxfName);
  w.Str(2, className);
  w.Str(3, "ObjectDBX Classes");
  w.Int(90, 0);
  w.Int(280, 0);
  w.Int(281, 0);
}

void WriteClasses(TDxfWriter& w) {
  BeginSection(w, "CLASSES");
  WriteClass(w, "ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault");
  WriteClass(w, "ACDBPLACEHOLDER", "AcDbPlaceHolder");
  WriteClass(w, "LAYOUT", "AcDbLayout");
  EndSection(w);
}

void BeginTable(TDxfWriter& w, std::string_view name, uint32_t handle, int32_t count) {
  w.Str(0, "TABLE");
  w.Str(2, name);
  w.Hex(5, handle);
  w.Str(330, "0");
  w.Str(100, "AcDbSymbolTable");
  w.Int(70, count);
}

void EndTable(TDxfWriter& w) { w.Str(0, "ENDTAB"); }

void BeginRecord(TDxfWriter& w, std::string_view type, uint32_t handle, uint32_t table,
                 std::string_view subclass) {
  w.Str(0, type);
  w.Hex(5, handle);
  w.Hex(330, table);
  w.Str(100, "AcDbSymbolTableRecord");
  w.Str(100, subclass);
}

void WriteLayer(TDxfWriter& w, uint32_t handle, std::string_view name, int32_t color) {
  BeginRecord(w, "LAYER", handle, kLayerTable, "AcDbLayerTableRecord");
  w.Str(2, name);
  w.Int(70, 0);
  w.Int(62, color);
  w.Str(6, "Continuous");
  w.Int(370, -3);
  w.Hex(390, kPlaceHolder);
}

void WriteStyle(TDxfWriter& w, uint32_t handle, std::string_view name, std::string_view font,
                std::string_view bigFont, TMilli widthFactor) {
  BeginRecord(w, "STYLE", handle, kStyleTable, "AcDbTextStyleTableRecord");
  w.Str(2, name);
  w.Int(70, 0);
  w.ShortReal(40, 0);
  w.ShortReal(41, widthFactor);
  w.ShortReal(50, 0);
  w.Int(71, 0);
  w.ShortReal(42, kTextHeight);
  w.Str(3, font);
  w.Str(4, bigFont);
}

void WriteLtype(TDxfWriter& w, uint32_t handle, std::string_view name, std::string_view text) {
  BeginRecord(w, "LTYPE", handle, kLtypeTable, "AcDbLinetypeTableRecord");
  w.Str(2, name);
  w.Int(70, 0);
  w.Str(3, text);
  w.Int(72, 65);
  w.Int(73, 0);
  w.ShortReal(40, 0);
}

void WriteBlockRecord(TDxfWriter& w, uint32_t handle, std::string_view name, uint32_t layout) {
  BeginRecord(w, "BLOCK_RECORD", handle, kBlockRecordTable, "AcDbBlockTableRecord");
  w.Str(2, name);
  w.Hex(340, layout);
}

void WriteTables(TDxfWriter& w) {
  BeginSection(w, "TABLES");

  BeginTable(w, "VPORT", kVportTable, 1);
  BeginRecord(w, "VPORT", kVportActive, kVportTable, "AcDbViewportTableRecord");
  w.Str(2, "*Active");
  w.Int(70, 0);
  w.Real(10, 0);
  w.Real(20, 0);
  w.Real(11, 1000);
  w.Real(21, 1000);
  w.Real(12, 210000);
  w.Real(22, 148500);
  w.Real(13, 0);
  w.Real(23, 0);
  w.Real(14, 10000);
  w.Real(24, 10000);
  w.Real(15, 10000);
  w.Real(25, 10000);
  w.Point(16, 0, 0, 1000);
  w.Point(17, 0, 0, 0);
  w.Real(40, 297000);
  w.Str(41, "1.414141414141414");
  w.ShortReal(42, 50000);
  w.ShortReal(43, 0);
  w.ShortReal(44, 0);
  w.ShortReal(50, 0);
  w.ShortReal(51, 0);
  w.Int(71, 0);
  w.Int(72, 1000);
  w.Int(73, 1);
  w.Int(74, 3);
  w.Int(75, 0);
  w.Int(76, 0);
  w.Int(77, 0);
  w.Int(78, 0);
  EndTable(w);

  BeginTable(w, "LTYPE", kLtypeTable, 3);
  WriteLtype(w, kLtypeByBlock, "ByBlock", "");
  WriteLtype(w, kLtypeByLayer, "ByLayer", "");
  WriteLtype(w, kLtypeContinuous, "Continuous", "Solid line");
  EndTable(w);

  BeginTable(w, "LAYER", kLayerTable, 1 + kDrawingLayerCount);
  WriteLayer(w, kLayerZero, "0", 7);
  for (int32_t i = 0; i < kDrawingLayerCount; ++i) {
    WriteLayer(w, kFirstLayer + static_cast<uint32_t>(i), kDrawingLayers[i], 1 + i);
  }
  EndTable(w);

  BeginTable(w, "STYLE", kStyleTable, 3);
  WriteStyle(w, kStyleStandard, "Standard", "txt", "", 1000);
  WriteStyle(w, kStyleJis, "JIS", "romans.shx", "extfont2.shx", 800);
  WriteStyle(w, kStyleRomans, "ROMANS", "romans.shx", "", 1000);
  EndTable(w);

  BeginTable(w, "VIEW", kViewTable, 0);
  EndTable(w);
  BeginTable(w, "UCS", kUcsTable, 0);
  EndTable(w);

  BeginTable(w, "APPID", kAppIdTable, 1);
  BeginRecord(w, "APPID", kAppIdAcad, kAppIdTable, "AcDbRegAppTableRecord");
  w.Str(2, "ACAD");
  w.Int(70, 0);
  EndTable(w);

  BeginTable(w, "DIMSTYLE", kDimStyleTable, 1);
  w.Str(100, "AcDbDimStyleTable");
  w.Str(0, "DIMSTYLE");
  w.Hex(105, kDimStyleStandard);
  w.Hex(330, kDimStyleTable);
  w.Str(100, "AcDbSymbolTableRecord");
  w.Str(100, "AcDbDimStyleTableRecord");
  w.Str(2, "Standard");
  w.Int(70, 0);
  w.ShortReal(41, kTextHeight);
  w.ShortReal(42, 625);
  w.ShortReal(140, kTextHeight);
  w.Hex(340, kStyleStandard);
  EndTable(w);

  BeginTable(w, "BLOCK_RECORD", kBlockRecordTable, 3);
  WriteBlockRecord(w, kModelSpaceRecord, "*Model_Space", kModelLayout);
  WriteBlockRecord(w, kPaperSpaceRecord, "*Paper_Space", kPaperLayout);
  WriteBlockRecord(w, kMarkRecord, "MARK", 0);
  EndTable(w);

  EndSection(w);
}

void WriteBlockBegin(TDxfWriter& w, uint32_t handle, uint32_t record, std::string_view name,
                     bool paperSpace) {
  w.Str(0, "BLOCK");
  w.Hex(5, handle);
  w.Hex(330, record);
  w.Str(100, "AcDbEntity");
  if (paperSpace) w.Int(67, 1);
  w.Str(8, "0");
  w.Str(100, "AcDbBlockBegin");
  w.Str(2, name);
  w.Int(70, 0);
  w.Point(10, 0, 0);
  w.Str(3, name);
  w.Str(1, "");
}

void WriteBlockEnd(TDxfWriter& w, uint32_t handle, uint32_t record, bool paperSpace) {
  w.Str(0, "ENDBLK");
  w.Hex(5, handle);
  w.Hex(330, record);
  w.Str(100, "AcDbEntity");
  if (paperSpace) w.Int(67, 1);
  w.Str(8, "0");
  w.Str(100, "AcDbBlockEnd");
}

void WriteBlocks(TDxfWriter& w) {
  BeginSection(w, "BLOCKS");
  WriteBlockBegin(w, kModelSpaceBlock, kModelSpaceRecord, "*Model_Space", false);
  WriteBlockEnd(w, kModelSpaceEnd, kModelSpaceRecord, false);
  WriteBlockBegin(w, kPaperSpaceBlock, kPaperSpaceRecord, "*Paper_Space", true);
  WriteBlockEnd(w, kPaperSpaceEnd, kPaperSpaceRecord, true);

  // The terminal mark: a circle with a centred letter.
  WriteBlockBegin(w, kMarkBlock, kMarkRecord, "MARK", false);
  w.Str(0, "CIRCLE");
  w.Hex(5, kMarkCircle);
  w.Hex(330, kMarkRecord);
  w.Str(100, "AcDbEntity");
  w.Str(8, "0");
  w.Str(100, "AcDbCircle");
  w.Point(10, 0, 0);
  w.ShortReal(40, 2000);
  w.Str(0, "TEXT");
  w.Hex(5, kMarkText);
  w.Hex(330, kMarkRecord);
  w.Str(100, "AcDbEntity");
  w.Str(8, "0");
  w.Str(100, "AcDbText");
  w.Point(10, -875, -1250);
  w.ShortReal(40, kTextHeight);
  w.Str(1, "M");
  w.Int(72, 1);
  w.Point(11, 0, 0);
  w.Str(100, "AcDbText");
  w.Int(73, 2);
  WriteBlockEnd(w, kMarkEnd, kMarkRecord, false);
  EndSection(w);
}

void BeginEntity(TDxfWriter& w, std::string_view type, uint32_t handle, std::string_view layer) {
  w.Str(0, type);
  w.Hex(5, handle);
  w.Hex(330, kModelSpaceRecord);
  w.Str(100, "AcDbEntity");
  w.Str(8, layer);
}

// The text of column `column` in row `row` of table `table`.
std::string CellText(int32_t table, int32_t row, int32_t column) {
  const int32_t tableNo = table + 1;
  const int32_t rowNo = row + 1;
  switch (column) {
    case 0:
      return Joined({"TB", std::to_string(tableNo), "-", ZeroPadded(rowNo, 3)});
    case 1:
      return std::to_string(rowNo);
    case 2:
      return Joined({"W", std::to_string(tableNo), ZeroPadded(rowNo, 3)});
    case 3:
      return Joined({kPowerSource, "L", std::to_string(row % 3 + 1)});
    case 4:
      return row % 2 == 0 ? "AC100V" : "DC24V";
    case 5:
      return row % 3 == 0 ? "2.0SQ" : "1.25SQ";
    case 6:
      return Joined({"CN", std::to_string(row % 8 + 1), "-", std::to_string(row / 8 + 1)});
    default:
      return Joined({"P", ZeroPadded(static_cast<int64_t>(table) * kRowsPerTable + rowNo, 5)});
  }
}

struct TCell {
  int32_t table;
  int32_t row;
  int32_t column;
  TMilli left;
  TMilli top;
  TMilli tableLeft;
};

TCell CellOf(int32_t textIndex) {
  constexpr int32_t kPerTable = kColumns * kRowsPerTable;
  TCell cell{};
  cell.table = textIndex / kPerTable;
  cell.row = (textIndex % kPerTable) / kColumns;
  cell.column = textIndex % kColumns;
  cell.tableLeft = (cell.table % kTablesAcross) * kTableWidth;
  const TMilli tableTop = -static_cast<TMilli>(cell.table / kTablesAcross) * kTableHeight;
  cell.left = cell.tableLeft + cell.column * kColumnPitch;
  cell.top = tableTop - cell.row * kRowPitch;
  return cell;
}

void WriteText(TDxfWriter& w, uint32_t handle, const TCell& cell) {
  const std::string text = CellText(cell.table, cell.row, cell.column);
  const bool justified = cell.column == 2 || cell.column == 5;
  const bool title = cell.column == 0;
  const TMilli height = title ? kTitleHeight : kTextHeight;
  BeginEntity(w, "TEXT", handle, justified ? kDrawingLayers[1] : kDrawingLayers[0]);
  if (cell.column == 4) w.Int(62, 1);
  w.Str(100, "AcDbText");
  if (justified) {
    // Middle centre: AutoCAD keeps the first point where the text starts.
    const TMilli alignX = cell.left + kColumnPitch / 2;
    const TMilli alignY = cell.top - kRowPitch / 2;
    const TMilli width = static_cast<TMilli>(text.size()) * height * 7 / 10;
    w.Point(10, alignX - width / 2, alignY - height / 2);
    w.ShortReal(40, height);
    w.Str(1, text);
    w.Int(72, 1);
    w.Point(11, alignX, alignY);
    w.Str(100, "AcDbText");
    w.Int(73, 2);
    return;
  }
  w.Point(10, cell.left + 1500, cell.top - kRowPitch + 1875);
  w.ShortReal(40, height);
  w.Str(1, text);
  if (cell.column == 3) w.Str(7, "JIS");
  w.Str(100, "AcDbText");
}

// One of the entities between the texts, by turn: a row's rule line, a
// terminal mark, a note.
void WriteOther(TDxfWriter& w, uint32_t handle, int32_t turn, const TCell& cell, TRandom& random) {
  switch (turn % 3) {
    case 0:
      BeginEntity(w, "LINE", handle, kDrawingLayers[2]);
      w.Str(100, "AcDbLine");
      w.Point(10, cell.tableLeft, cell.top - kRowPitch);
      w.Point(11, cell.tableLeft + kColumns * kColumnPitch, cell.top - kRowPitch);
      break;
    case 1:
      BeginEntity(w, "INSERT", handle, kDrawingLayers[4]);
      w.Str(100, "AcDbBlockReference");
      w.Str(2, "MARK");
      w.Point(10, cell.tableLeft - 4000, cell.top - kRowPitch / 2);
      if (random.Below(4) == 0) w.ShortReal(50, 90000);
      break;
    default:
      BeginEntity(w, "MTEXT", handle, kDrawingLayers[3]);
      w.Str(100, "AcDbMText");
      w.Point(10, cell.tableLeft + kColumns * kColumnPitch + 5250, cell.top);
      w.ShortReal(40, kTextHeight);
      w.ShortReal(41, 36000);
      w.Int(71, 1);
      w.Int(72, 5);
      w.Str(1, Joined({"\\A1;NOTE ", std::to_string(turn / 3 + 1), ": ", kPowerSource, " ",
                       CellText(cell.table, cell.row, 0), "\\P", CellText(cell.table, cell.row, 6)}));
      w.Str(7, "Standard");
      w.Int(73, 1);
      w.ShortReal(44, 1000);
      break;
  }
}

struct TEntitiesResult {
  int32_t others = 0;
  uint32_t handSeed = 0;
  TExtents extents;
};

TEntitiesResult WriteEntities(TDxfWriter& w, int32_t textCount) {
  TRandom random(0x2545F491u);
  THandleSource handles(random);
  TEntitiesResult result;
  BeginSection(w, "ENTITIES");
  for (int32_t i = 0; i < textCount; ++i) {
    const TCell cell = CellOf(i);
    WriteText(w, handles.Take(), cell);
    if (i % 3 == 2) WriteOther(w, handles.Take(), result.others++, cell, random);
    result.extents.minX = std::min(result.extents.minX, cell.tableLeft - 6000);
    result.extents.minY = std::min(result.extents.minY, cell.top - kRowPitch);
    result.extents.maxX = std::max(result.extents.maxX, cell.tableLeft + kTableWidth);
  }
  EndSection(w);
  result.handSeed = handles.Seed();
  return result;
}

void WriteReactors(TDxfWriter& w, uint32_t owner) {
  w.Str(102, "{ACAD_REACTORS");
  w.Hex(330, owner);
  w.Str(102, "}");
}

void BeginDictionary(TDxfWriter& w, uint32_t handle, uint32_t owner) {
  w.Str(0, "DICTIONARY");
  w.Hex(5, handle);
  if (owner != 0) WriteReactors(w, owner);
  w.Hex(330, owner);
  w.Str(100, "AcDbDictionary");
  w.Int(281, 1);
}

void Entry(TDxfWriter& w, std::string_view name, uint32_t handle) {
  w.Str(3, name);
  w.Hex(350, handle);
}

void WriteLayout(TDxfWriter& w, uint32_t handle, std::string_view name, int32_t order, uint32_t record) {
  w.Str(0, "LAYOUT");
  w.Hex(5, handle);
  WriteReactors(w, kLayoutDictionary);
  w.Hex(330, kLayoutDictionary);
  w.Str(100, "AcDbPlotSettings");
  w.Str(1, "");
  w.Str(2, "none_device");
  w.Str(4, "ISO_A3_(420.00_x_297.00_MM)");
  w.Str(6, "");
  w.ShortReal(40, 7500);
  w.ShortReal(41, 20000);
  w.ShortReal(42, 7500);
  w.ShortReal(43, 20000);
  w.ShortReal(44, 420000);
  w.ShortReal(45, 297000);
  w.ShortReal(46, 0);
  w.ShortReal(47, 0);
  w.ShortReal(48, 0);
  w.ShortReal(49, 0);
  w.ShortReal(140, 0);
  w.ShortReal(141, 0);
  w.ShortReal(142, 1000);
  w.ShortReal(143, 1000);
  w.Int(70, 688);
  w.Int(72, 1);
  w.Int(73, 1);
  w.Int(74, 5);
  w.Str(7, "");
  w.Int(75, 16);
  w.ShortReal(147, 1000);
  w.ShortReal(148, 0);
  w.ShortReal(149, 0);
  w.Str(100, "AcDbLayout");
  w.Str(1, name);
  w.Int(70, 1);
  w.Int(71, order);
  w.Real(10, 0);
  w.Real(20, 0);
  w.Real(11, 420000);
  w.Real(21, 297000);
  w.Point(12, 0, 0);
  w.Point(14, 0, 0);
  w.Point(15, 0, 0);
  w.ShortReal(146, 0);
  w.Point(13, 0, 0);
  w.Point(16, 1000, 0);
  w.Point(17, 0, 1000);
  w.Int(76, 0);
  w.Hex(330, record);
}

void WriteObjects(TDxfWriter& w) {
  BeginSection(w, "OBJECTS");
  BeginDictionary(w, kRootDictionary, 0);
  Entry(w, "ACAD_GROUP", kGroupDictionary);
  Entry(w, "ACAD_LAYOUT", kLayoutDictionary);
  Entry(w, "ACAD_MLINESTYLE", kMlineStyleDictionary);
  Entry(w, "ACAD_PLOTSETTINGS", kPlotSettingsDictionary);
  Entry(w, "ACAD_PLOTSTYLENAME", kPlotStyleDictionary);
  BeginDictionary(w, kGroupDictionary, kRootDictionary);

  w.Str(0, "ACDBDICTIONARYWDFLT");
  w.Hex(5, kPlotStyleDictionary);
  WriteReactors(w, kRootDictionary);
  w.Hex(330, kRootDictionary);
  w.Str(100, "AcDbDictionary");
  w.Int(281, 1);
  Entry(w, "Normal", kPlaceHolder);
  w.Str(100, "AcDbDictionaryWithDefault");
  w.Hex(340, kPlaceHolder);

  w.Str(0, "ACDBPLACEHOLDER");
  w.Hex(5, kPlaceHolder);
  WriteReactors(w, kPlotStyleDictionary);
  w.Hex(330, kPlotStyleDictionary);

  BeginDictionary(w, kMlineStyleDictionary, kRootDictionary);
  Entry(w, "Standard", kMlineStyleStandard);
  w.Str(0, "MLINESTYLE");
  w.Hex(5, kMlineStyleStandard);
  WriteReactors(w, kMlineStyleDictionary);
  w.Hex(330, kMlineStyleDictionary);
  w.Str(100, "AcDbMlineStyle");
  w.Str(2, "STANDARD");
  w.Int(70, 0);
  w.Str(3, "");
  w.Int(62, 256);
  w.ShortReal(51, 90000);
  w.ShortReal(52, 90000);
  w.Int(71, 2);
  w.ShortReal(49, 500);
  w.Int(62, 256);
  w.Str(6, "BYLAYER");
  w.ShortReal(49, -500);
  w.Int(62, 256);
  w.Str(6, "BYLAYER");

  BeginDictionary(w, kPlotSettingsDictionary, kRootDictionary);
  BeginDictionary(w, kLayoutDictionary, kRootDictionary);
  Entry(w, "Layout1", kPaperLayout);
  Entry(w, "Model", kModelLayout);
  WriteLayout(w, kPaperLayout, "Layout1", 1, kPaperSpaceRecord);
  WriteLayout(w, kModelLayout, "Model", 0, kModelSpaceRecord);
  EndSection(w);
}

}  // namespace

std::string SelectionFileBytes(int32_t textCount, TSelectionSummary* summary) {
  if (textCount < 0) throw std::invalid_argument("negative text count");
  const size_t estimate = 16384 + static_cast<size_t>(textCount) * 300;
  TDxfWriter entities(estimate);
  const TEntitiesResult result = WriteEntities(entities, textCount);

  TDxfWriter w(estimate + 65536);
  WriteHeader(w, result.handSeed, result.extents);
  WriteClasses(w);
  WriteTables(w);
  WriteBlocks(w);
  std::string bytes = w.Take();
  bytes += entities.Take();
  TDxfWriter tail(16384);
  WriteObjects(tail);
  tail.Str(0, "EOF");
  bytes += tail.Take();

  if (summary != nullptr) {
    summary->TextCount = textCount;
    summary->OtherCount = result.others;
    summary->HandSeed = result.handSeed;
    summary->Bytes = bytes.size();
  }
  return bytes;
}

TSelectionSummary WriteSelectionFile(std::string_view path, int32_t textCount) {
  TSelectionSummary summary;
  const std::string bytes = SelectionFileBytes(textCount, &summary);
  std::ofstream out(FilePath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error(Joined({"cannot write ", path}));
  return summary;
}

}  // namespace vorbel::bench
