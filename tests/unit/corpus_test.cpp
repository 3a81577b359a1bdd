// The real DXF files of the shared corpus, written by programs we do not
// control.
#include <gtest/gtest.h>

#include <map>

#include "base/files.h"
#include "base/numbers.h"
#include "dxf/dxf_pairs.h"
#include "dxf/dxf_slices.h"
#include "dxf/rewrite.h"
#include "support/temp_dir.h"

namespace vorbel {
namespace {

std::string CorpusFile(const std::string& name) {
  return std::string(VORBEL_SHARED_DIR) + "/dxf-corpus/" + name;
}

// TEXT entities of each file's entities section, as the corpus README counts them.
const std::map<std::string, int> kTextCounts = {
    {"acadsharp_sample_AC1009_ascii.dxf", 29},
    {"acadsharp_sample_AC1015_ascii.dxf", 28},
    {"acadsharp_sample_AC1021_ascii.dxf", 28},
    {"acadsharp_xdata.dxf", 13},
    {"ezdxf_Leica_Disto_S910.dxf", 11},
    {"ezdxf_duplicate_handles.dxf", 19},
    {"ezdxf_recover01.dxf", 63},
    {"ezdxf_text.dxf", 62},
    {"ezdxf_text_alignments.dxf", 16},
    {"ezdxf_text_fonts.dxf", 384},
    {"ezdxf_text_mirror_shx_font.dxf", 192},
    {"ezdxf_valid_lineweights.dxf", 25},
    {"jwcad_q032rt_japanese.dxf", 1},
    {"jwcad_q033rt_halfwidth_kana.dxf", 1},
    {"jwcad_q039rt_rotated.dxf", 1},
    {"jwcad_r001rt_three_texts.dxf", 3},
    {"skymakerolof_dimension-vertical.dxf", 0},
    {"skymakerolof_floorplan.dxf", 89},
    {"skymakerolof_texts-in-block.dxf", 0},
    {"skymakerolof_texts_librecad.dxf", 0},
};

class CorpusTest : public testing::TestWithParam<std::string> {};

TEST_P(CorpusTest, LoadsAndCountsItsTexts) {
  const std::string bytes = ReadFileBytes(CorpusFile(GetParam()));
  const TLineList lines = TLineList::FromBytes(bytes);
  // Files with CR LF line ends come back byte for byte.
  const auto count = [&](std::string_view what) {
    size_t n = 0;
    for (size_t at = bytes.find(what); at != std::string::npos; at = bytes.find(what, at + 1)) ++n;
    return n;
  };
  if (count("\r\n") == count("\r") && count("\r") == count("\n")) {
    EXPECT_EQ(lines.ToBytes(), bytes);
  }
  TTextEnts ents;
  EXPECT_EQ(ParseTextEnts(lines, ents), kTextCounts.at(GetParam()));
  EXPECT_EQ(EndsWithEof(lines), GetParam() != "ezdxf_recover01.dxf");
  EXPECT_GE(GetMaxHandle(lines), 0);
}

bool IsPointCode(std::string_view code) {
  return code == "10" || code == "20" || code == "30" || code == "11" || code == "21" || code == "31";
}

// What an update with the memo as listed must give, built without handles:
// the file itself, in which every TEXT entity of the section that has a
// handle gets its coordinates in the general number format (from the handle
// on) and goes when its string was empty already.
TLineList ExpectedUnchangedUpdate(const TLineList& exported) {
  TLineList expected;
  const size_t pairCount = PairCount(exported);
  bool inEntities = false;
  size_t p = 0;
  while (p < pairCount) {
    if (IsEndSection(exported, p)) inEntities = false;
    if (IsEntitiesMarker(exported, p)) inEntities = true;
    if (!(inEntities && IsTextStart(exported, p))) {
      expected.AppendRange(exported, 2 * p, 2 * p + 1);
      ++p;
      continue;
    }
    size_t end = p + 1;
    size_t handlePair = pairCount;
    std::string_view text;
    for (; end < pairCount && PairCode(exported, end) != "0"; ++end) {
      if (PairCode(exported, end) == "5" && handlePair == pairCount) handlePair = end;
      if (PairCode(exported, end) == "1") text = exported[2 * end + 1];
    }
    const bool removed = text.empty() && handlePair < pairCount && end < pairCount;
    for (size_t q = p; q < end && !removed; ++q) {
      expected.push_back(exported[2 * q]);
      if (q > handlePair && IsPointCode(PairCode(exported, q))) {
        expected.push_back(FormatGeneral15(StrToFloat(PairValue(exported, q))));
      } else {
        expected.push_back(exported[2 * q + 1]);
      }
    }
    p = end;
  }
  if (exported.size() % 2 != 0) expected.push_back(exported[exported.size() - 1]);
  return expected;
}

TEST_P(CorpusTest, AnUnchangedUpdateOnlyReformatsTextCoordinates) {
  if (GetParam() == "ezdxf_recover01.dxf" || GetParam() == "ezdxf_duplicate_handles.dxf") {
    GTEST_SKIP() << "incomplete file, or handles shared between texts";
  }
  const TLineList exported = LoadLines(CorpusFile(GetParam()));
  TTextEnts ents;
  ParseTextEnts(exported, ents);
  std::vector<std::string> memo;
  for (const auto& ent : ents) memo.push_back(ent.Text);
  TLineList updated = exported;
  TakeMemoLines(memo, ents);
  ApplyTextEnts(ents, updated);
  DeleteMarkedEntities(ents, updated);
  EXPECT_EQ(updated.ToStrings(), ExpectedUnchangedUpdate(exported).ToStrings());
}

TEST(Corpus, TheJapaneseTextsAreReadAsTheirBytes) {
  const TLineList lines = LoadLines(CorpusFile("jwcad_r001rt_three_texts.dxf"));
  TTextEnts ents;
  ASSERT_EQ(ParseTextEnts(lines, ents), 3);
  EXPECT_EQ(ents[1].Text, "日本B");
  const TLineList kana = LoadLines(CorpusFile("jwcad_q033rt_halfwidth_kana.dxf"));
  ASSERT_EQ(ParseTextEnts(kana, ents), 1);
  EXPECT_EQ(ents[0].Text, "\xB6\xC5");
  EXPECT_EQ(ents[0].Handle, "");
}

TEST(Corpus, LargeHandlesAndHandleSeeds) {
  EXPECT_EQ(GetMaxHandle(LoadLines(CorpusFile("skymakerolof_dimension-vertical.dxf"))), 0x6A80C);
  EXPECT_EQ(GetMaxHandle(LoadLines(CorpusFile("skymakerolof_texts_librecad.dxf"))), 0x20000);
  EXPECT_EQ(GetMaxHandle(LoadLines(CorpusFile("ezdxf_Leica_Disto_S910.dxf"))), 0x7C5);
  // Custom objects write "*" under group 5; the drawing still lists.
  EXPECT_EQ(GetMaxHandle(LoadLines(CorpusFile("skymakerolof_floorplan.dxf"))), 0x23FB);
}

std::vector<std::string> CorpusNames() {
  std::vector<std::string> names;
  for (const auto& [name, count] : kTextCounts) names.push_back(name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusTest, testing::ValuesIn(CorpusNames()),
                         [](const testing::TestParamInfo<std::string>& file) {
                           std::string name = file.param.substr(0, file.param.size() - 4);
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace vorbel
