#include "platform/RtfReader.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A run as "<attributes>text"; attributes only where they differ from the
// defaults. Paragraphs are joined by "\n".
std::string Describe(const RtfDocument& document) {
  std::string out;
  for (std::size_t p = 0; p < document.paragraphs.size(); ++p) {
    if (p > 0) out += '\n';
    for (const RtfRun& run : document.paragraphs[p]) {
      std::string attributes;
      auto add = [&](const std::string& a) { attributes += (attributes.empty() ? "" : ",") + a; };
      if (run.bold) add("b");
      if (run.italic) add("i");
      if (run.underline) add("u");
      if (run.fontSize != 12.0) {
        char size[32];
        std::snprintf(size, sizeof size, "%gpt", run.fontSize);
        add(size);
      }
      if (!run.fontName.empty()) add("f=" + run.fontName);
      if (run.color) {
        char rgb[16];
        std::snprintf(rgb, sizeof rgb, "c=%02X%02X%02X", run.color->red, run.color->green, run.color->blue);
        add(rgb);
      }
      out += (attributes.empty() ? "" : "<" + attributes + ">") + run.text;
    }
  }
  return out;
}

struct RtfCase {
  const char* name;
  std::string rtf;
  std::string described;
};
void PrintTo(const RtfCase& c, std::ostream* os) { *os << c.name; }

class RtfReading : public ::testing::TestWithParam<RtfCase> {};

TEST_P(RtfReading, GivesTheDocument) {
  const RtfDocument document = ReadRtf(GetParam().rtf);
  EXPECT_FALSE(document.error.has_value());
  EXPECT_EQ(Describe(document), GetParam().described);
}

const std::string kDeep = std::string(100000, '{') + "x" + std::string(100000, '}');

INSTANTIATE_TEST_SUITE_P(
    Text, RtfReading,
    ::testing::Values(
        RtfCase{"PlainText", "{\\rtf1 Hello}", "Hello"},
        RtfCase{"ParagraphsLineBreakTab", "{\\rtf1 a\\par b\\line c\\tab d\\par\\par e}",
                "a\nb\u2028c\td\n\ne"},
        RtfCase{"LineEndsInTheFileAreNotText", "{\\rtf1 a\r\nb\n}", "ab"},
        RtfCase{"BackslashLineEndIsAParagraph", "{\\rtf1 a\\\nb}", "a\nb"},
        RtfCase{"Escapes", "{\\rtf1 \\\\\\{\\}}", "\\{}"},
        RtfCase{"SpecialCharacters",
                "{\\rtf1 \\~|\\-|\\_|\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
                "\u00A0||\u2011|\u2014\u2013\u2022\u2018\u2019\u201C\u201D"},
        RtfCase{"CodePage1252", "{\\rtf1\\ansi\\ansicpg1252 \\'e4\\'DF\\'80\\'85\\'9f\\'a0\\'81}",
                "\u00E4\u00DF\u20AC\u2026\u0178\u00A0\uFFFD"},
        RtfCase{"UnicodeSkipsOneFallbackByDefault", "{\\rtf1 \\u8364?x}", "\u20ACx"},
        RtfCase{"UnicodeFallbackHexCountsAsOne", "{\\rtf1 \\u228\\'e4x}", "\u00E4x"},
        RtfCase{"UnicodeSkipTwo", "{\\rtf1\\uc2 \\u8364 ab c}", "\u20AC c"},
        RtfCase{"UnicodeSkipZero", "{\\rtf1\\uc0 \\u8364 x}", "\u20ACx"},
        RtfCase{"UnicodeFallbackEndsAtBrace", "{\\rtf1\\uc3 {\\u8364 a}b}", "\u20ACb"},
        RtfCase{"NegativeUnicodeSurrogatePair", "{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"},
        RtfCase{"LoneSurrogatesReplaced", "{\\rtf1 \\u55357?x\\u56832?}", "\uFFFDx\uFFFD"},
        RtfCase{"SkippedDestinations",
                "{\\rtf1{\\*\\generator Gen;}{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}{\\header H}"
                "{\\footer F}{\\pict\\bin3 }}}}a}",
                "a"},
        RtfCase{"UnknownWordsIgnored", "{\\rtf1\\foo12 \\bar-3 a\\:\\|}", "a"},
        RtfCase{"FieldResultShown", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", "link"},
        RtfCase{"TableRowsBecomeLines",
                "{\\rtf1\\trowd\\cellx100\\cellx200 \\intbl a\\cell b\\cell\\row \\cell c\\cell\\cell d\\cell\\row}",
                "a\tb\n\tc\t\td"},
        RtfCase{"StrayClosingBracesIgnored", "{\\rtf1 a}}} b}", "a b"},
        RtfCase{"MissingClosingBraces", "{\\rtf1 {\\b a", "<b>a"},
        RtfCase{"TruncatedHexDropped", "{\\rtf1 a\\'4", "a"},
        RtfCase{"ShortHexDroppedTextAfterKept", "{\\rtf1 a\\'xy}", "axy"},
        RtfCase{"TruncatedWordDropped", "{\\rtf1 a\\pa", "a"},
        RtfCase{"BackslashAtEnd", "{\\rtf1 a\\", "a"},
        RtfCase{"BinaryLengthPastTheEnd", "{\\rtf1 a{\\pict\\bin99999999999 xyz", "a"},
        RtfCase{"NulAndControlBytesIgnored", std::string("{\\rtf1 a\0\x01\x1f" "b}", 13), "ab"},
        RtfCase{"BlanksAndByteOrderMarkBeforeHeader", "\xEF\xBB\xBF \r\n{\\rtf1 a}", "a"},
        RtfCase{"VeryDeepNesting", "{\\rtf1 " + kDeep + "y}", "xy"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Format, RtfReading,
    ::testing::Values(
        RtfCase{"GroupsScopeFormatting", "{\\rtf1 {\\b a}{\\i b}{\\ul c}d}", "<b>a<i>b<u>cd"},
        RtfCase{"ZeroParameterSwitchesOff", "{\\rtf1\\b\\i\\ul a\\b0 b\\i0 c\\ulnone d\\uld e\\ul0 f}",
                "<b,i,u>a<i,u>b<u>cd<u>ef"},
        RtfCase{"HalfPoints", "{\\rtf1\\fs20 a\\fs31 b\\fs0 c}", "<10pt>a<15.5pt>bc"},
        RtfCase{"HugeSizeAndSkipClamped", "{\\rtf1\\fs99999999999999 a\\uc99999999 \\u65 bcdefghijklmnopqrstu}",
                "<1638pt>aArstu"},
        RtfCase{"FontTableAndDefaultFont",
                "{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman{\\*\\panose 0}Times New Roman;}}"
                "a\\f0 b\\f7 c}",
                "<f=Times New Roman>a<f=Arial>bc"},
        RtfCase{"FontTableWithoutGroups", "{\\rtf1{\\fonttbl\\f0 Arial;\\f1 Courier;}\\f1 a}", "<f=Courier>a"},
        RtfCase{"ColourTable",
                "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue300;}\\cf1 a\\cf2 b\\cf0 c\\cf9 d}",
                "<c=FF0000>a<c=0000FF>bcd"},
        RtfCase{"PlainResetsCharacterFormat", "{\\rtf1\\b\\i\\fs30 a\\plain b}", "<b,i,15pt>ab"},
        RtfCase{"PardKeepsCharacterFormat", "{\\rtf1\\b a\\par\\pard b}", "<b>a\n<b>b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, TextThatIsNotRtfIsAClearError) {
  for (const std::string input : {"", "Hello", "{\\rt", "  {rtf1 a}", "\\rtf1"}) {
    SCOPED_TRACE(input);
    const RtfDocument document = ReadRtf(input);
    ASSERT_TRUE(document.error.has_value());
    EXPECT_NE(document.error->find("RTF"), std::string::npos);
    EXPECT_TRUE(document.paragraphs.empty());
  }
}

TEST(RtfReader, EveryPrefixOfADocumentReads) {
  const std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}\\uc1"
      "{\\b\\fs28 Kop}\\par St\\'f6rung \\u8364? {\\*\\x y}\\cf1 z\\cell w\\row}";
  for (std::size_t n = 0; n <= rtf.size(); ++n) {
    const RtfDocument document = ReadRtf(std::string_view(rtf).substr(0, n));
    EXPECT_EQ(document.error.has_value(), n < 5) << n;
  }
  EXPECT_EQ(Describe(ReadRtf(rtf)), "<b,14pt,f=Arial>Kop\n<f=Arial>St\u00F6rung \u20AC <f=Arial,c=010203>z\tw");
}

}  // namespace
