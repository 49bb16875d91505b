// The shipped error-help documents as the help window will show them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/RtfReader.h"

namespace {

struct HelpFile {
  const char* file;
  const char* title;
  const char* firstHeading;
  const char* specialText;  // a word with a character from the code page
};

class ShippedErrorHelp : public ::testing::TestWithParam<HelpFile> {
protected:
  static RtfDocument Read(const char* file) {
    std::ifstream in(std::string(VQ2X_DATA_DIR) + "/" + file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return ReadRtf(bytes.str());
  }
};

TEST_P(ShippedErrorHelp, RendersWithBoldHeadingsAndSpecialCharacters) {
  const RtfDocument document = Read(GetParam().file);
  ASSERT_FALSE(document.error.has_value());
  ASSERT_GT(document.paragraphs.size(), 10u);

  const RtfParagraph& title = document.paragraphs.front();
  ASSERT_EQ(title.size(), 1u);
  EXPECT_EQ(title[0].text, GetParam().title);
  EXPECT_TRUE(title[0].bold);
  EXPECT_EQ(title[0].fontSize, 14.0);
  EXPECT_EQ(title[0].fontName, "Arial");

  bool headingFound = false;
  for (const RtfParagraph& paragraph : document.paragraphs) {
    if (paragraph.empty() || paragraph[0].text != GetParam().firstHeading) continue;
    headingFound = true;
    EXPECT_TRUE(paragraph[0].bold);
    EXPECT_EQ(paragraph[0].fontSize, 12.0);
  }
  EXPECT_TRUE(headingFound);

  const std::string text = RtfPlainText(document);
  EXPECT_NE(text.find(GetParam().specialText), std::string::npos);
  EXPECT_EQ(text.find_first_of("\\{}"), std::string::npos) << "RTF syntax leaked into the text";
  // The body text is 10 points and not bold.
  EXPECT_EQ(document.paragraphs[1][0].fontSize, 10.0);
  EXPECT_FALSE(document.paragraphs[1][0].bold);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ShippedErrorHelp,
    ::testing::Values(
        HelpFile{"ErrorHelp0.rtf", "VQ2x foutnummers", "Fout 10: SSI-opnemer: geen signaal", "\u00EB"},
        HelpFile{"ErrorHelp1.rtf", "VQ2x error numbers", "Error 10: SSI encoder: no signal", "SSI"},
        HelpFile{"ErrorHelp2.rtf", "VQ2x Fehlernummern", "Fehler 10: SSI-Geber: kein Signal", "St\u00F6rung"}),
    [](const auto& info) { return std::string(info.param.file).substr(0, 10); });

}  // namespace
