#include "model/PrintLayout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// 254 dpi makes one centimetre 100 pixels: LeftX 110 on a 2000 pixel wide
// page, TopY 260, BottomY 120 above the page bottom.
PrintMetrics Metrics(int pageHeight) {
  PrintMetrics metrics;
  metrics.PageWidth = 2000;
  metrics.PageHeight = pageHeight;
  metrics.DotsPerInch = 254;
  metrics.LineHeight = 40;
  metrics.Bold12Height = 50;
  metrics.Bold14Height = 60;
  metrics.TextWidth = [](std::string_view text, PrintStyle) {
    return 10 * static_cast<int>(PrintText::CharacterCount(text));
  };
  return metrics;
}

const PageHeaderTexts kHeader{{"Firma:", "Type:", "Serie nummer:"}, "ACME", "VQ21", "123", "01-02-2025", "P"};
constexpr int kTopY = 260;

auto Key(const PrintTextItem& item) { return std::tie(item.X, item.Y, item.Text, item.Style, item.Anchor); }

std::vector<PrintTextItem> Body(const PrintPage& page) {
  std::vector<PrintTextItem> body;
  for (const auto& item : page.Texts)
    if (item.Y >= kTopY) body.push_back(item);
  return body;
}

std::string ParNoText() {
  std::string text = "[100]\nParId1=3\nParId2=252\n[101]\n";
  for (int row = 1; row <= 25; ++row) text += "ParId" + std::to_string(row) + "=" + std::to_string(9 + row) + "\n";
  return text;
}

const IniDocument kParameters = IniDocument::FromText("[003]\nnaam1=Scaling\n[252]\nnaam1=Output\ntype=1\n");
const IniDocument kParNo = IniDocument::FromText(ParNoText());
const std::vector<std::string> kTree = {"VQ2x parameters", "\tEncoder", "\t\tScaling"};
const std::array<std::int32_t, kParameterCount> kNoValues{};

std::vector<PrintPage> PrintParameters(int pageHeight, const std::vector<std::string>& tree = kTree,
                                       const PrintCatalogues& catalogues = {&kParameters, &kParNo, 1}) {
  return LayoutParameterPrintout(catalogues, tree, kNoValues, kHeader, {"Nr", "P", "Naam", "Waarde", "Optie"},
                                 Metrics(pageHeight));
}

TEST(PrintLayout, GeometryFromResolutionAndPageSize) {
  PrintMetrics a4;
  a4.PageWidth = 4960;
  a4.PageHeight = 7016;
  a4.DotsPerInch = 600;
  const PageGeometry geometry = ComputeGeometry(a4);
  EXPECT_NEAR(geometry.PixelsPerCm, 236.22, 0.01);
  EXPECT_EQ(geometry.LeftX, 378);
  EXPECT_EQ(geometry.TopY, 614);
  EXPECT_EQ(geometry.BottomY, 6733);
}

TEST(PrintLayout, PageHeaderLinesUpLabelsValuesDateAndPageNumber) {
  const auto pages = PrintParameters(3000, {});  // no tree file: the header alone
  ASSERT_EQ(pages.size(), 1u);
  const auto b = PrintStyle::Bold12;
  const auto left = PrintAnchor::Left, right = PrintAnchor::Right;
  const std::vector<PrintTextItem> expected = {
      {110, 50, "       Firma:", b, left}, {260, 50, "ACME", b, left},          {1900, 50, "01-02-2025", b, right},
      {110, 100, "        Type:", b, left}, {260, 100, "VQ21", b, left},       {110, 150, "Serie nummer:", b, left},
      {260, 150, "123", b, left},           {1900, 150, "P   1", b, right},
  };
  ASSERT_EQ(pages[0].Texts.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Key(pages[0].Texts[i]), Key(expected[i]));
  }
  ASSERT_EQ(pages[0].Rules.size(), 2u);
  EXPECT_EQ(std::tie(pages[0].Rules[0].X1, pages[0].Rules[0].Y, pages[0].Rules[0].X2), std::make_tuple(100, 50, 1900));
  EXPECT_EQ(std::tie(pages[0].Rules[1].X1, pages[0].Rules[1].Y, pages[0].Rules[1].X2), std::make_tuple(100, 200, 1900));
}

TEST(PrintLayout, WithoutCataloguesOnlyTheTitleFollowsTheHeader) {
  const auto pages = PrintParameters(3000, kTree, {nullptr, &kParNo, 1});
  ASSERT_EQ(pages.size(), 1u);
  const auto body = Body(pages[0]);
  ASSERT_EQ(body.size(), 1u);
  EXPECT_EQ(Key(body[0]), Key({110, kTopY, "VQ2x parameters", PrintStyle::Bold14, PrintAnchor::Left}));
}

// Page 1 body: title 260, heading 320, column header 370, rows 410 and 450,
// empty line; heading 530, column header 580, rows from 620. With BottomY 820
// five rows of the second menu fit on page 1.
TEST(PrintLayout, LongMenuContinuesOnNewPagesWithoutColumnHeader) {
  const auto pages = PrintParameters(940);
  ASSERT_EQ(pages.size(), 3u);
  int rows = 0;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(pages[p].Rules.size(), 2u);
    EXPECT_EQ(pages[p].Texts[7].Text, PrintText::PageNumberText("P", static_cast<int>(p) + 1));
    for (const auto& item : Body(pages[p])) {
      EXPECT_LE(item.Y + 40, 820) << item.Text;
      if (item.Style == PrintStyle::Normal10) ++rows;
      if (p > 0) {
        EXPECT_EQ(item.Style, PrintStyle::Normal10) << item.Text;
      }
    }
  }
  EXPECT_EQ(rows, 27);
  const auto first = Body(pages[0]);
  ASSERT_EQ(first.size(), 1 + 2 * 2 + 2 + 5u);
  EXPECT_EQ(Key(first[5]), Key({110, 530, "Encoder > Scaling", PrintStyle::Bold12, PrintAnchor::Left}));
  EXPECT_EQ(first[6].Style, PrintStyle::Bold10);
  EXPECT_EQ(first[6].Y, 580);
  const auto second = Body(pages[1]);
  EXPECT_EQ(second.front().Y, kTopY);
  EXPECT_EQ(second.front().Text.substr(0, 6), "1.1.6 ");
}

// The second heading at 530 needs room for two of its lines (up to 630).
TEST(PrintLayout, HeadingStartsANewPageWhenTwoOfItsLinesDoNotFit) {
  const struct {
    int pageHeight;
    std::size_t page;
    int y;
  } rows[] = {{750, 0, 530}, {749, 1, kTopY}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pageHeight);
    const auto pages = PrintParameters(row.pageHeight);
    ASSERT_GT(pages.size(), row.page);
    bool found = false;
    for (const auto& item : Body(pages[row.page]))
      if (item.Text == "Encoder > Scaling") {
        found = true;
        EXPECT_EQ(item.Y, row.y);
      }
    EXPECT_TRUE(found);
  }
}

TEST(PrintLayout, SetpointsOnOnePageWhateverItsHeight) {
  std::array<std::int32_t, kSetpointCount + 1> setpoints{};
  setpoints[12] = -1500;
  const auto pages = LayoutSetpointPrintout(setpoints, kHeader, "Solwerten", "Nr", "Waarde", Metrics(500));
  ASSERT_EQ(pages.size(), 1u);
  const auto body = Body(pages[0]);
  ASSERT_EQ(body.size(), 2u + kSetpointCount);
  EXPECT_EQ(Key(body[0]), Key({110, kTopY, "Solwerten", PrintStyle::Bold14, PrintAnchor::Left}));
  EXPECT_EQ(Key(body[1]), Key({110, 320, "Nr    " "   " "      Waarde", PrintStyle::Bold10, PrintAnchor::Left}));
  EXPECT_EQ(Key(body[13]),
            Key({110, 360 + 11 * 40, "12    " "   " "       -1500", PrintStyle::Normal10, PrintAnchor::Left}));
}

TEST(PrintLayout, TreeLinesSplitOnEveryLineEnd) {
  EXPECT_EQ(SplitTreeLines("\xEF\xBB\xBFRoot\r\n\tA\n\t\tB\rC\n"),
            (std::vector<std::string>{"Root", "\tA", "\t\tB", "C"}));
  EXPECT_EQ(SplitTreeLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitTreeLines("").empty());
}

TEST(PrintLayout, MenuWalkNumbersGroupsAndSubgroups) {
  const std::vector<std::string> tree = {
      "Root",  "\tEncoder ", "\t\tSSI\r", "\t\tScaling", "stray",
      "\t\t\tToo deep", "\t", "\tCams", " \tCam 1", "\t\tCam 2",
  };
  const struct {
    std::int64_t menu;
    const char* heading;
  } expected[] = {
      {100, "Encoder"}, {101, "Encoder > SSI"}, {102, "Encoder > Scaling"},
      {200, "Cams"},    {201, "Cams > Cam 1"},  {202, "Cams > Cam 2"},
  };
  const auto menus = WalkTreeMenus(tree);
  ASSERT_EQ(menus.size(), std::size(expected));
  for (std::size_t i = 0; i < menus.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(menus[i].MenuNumber, expected[i].menu);
    EXPECT_EQ(menus[i].Group * 100 + menus[i].Subgroup, expected[i].menu);
    EXPECT_EQ(menus[i].Heading, expected[i].heading);
  }
}

TEST(PrintLayout, MenuRowsSkipGapsAndKeepTheirKeyNumbers) {
  const IniDocument parNo = IniDocument::FromText(
      "[612]\nParId1=7\nParId3=$10\nParId4=abc\nParId5=316\nParId6=-1\nParId7=\nParId40=315\nParId41=8\n");
  const auto rows = MenuRows(parNo, 612);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(std::tie(rows[0].Row, rows[0].ParameterNumber), std::make_tuple(1, 7));
  EXPECT_EQ(std::tie(rows[1].Row, rows[1].ParameterNumber), std::make_tuple(3, 16));
  EXPECT_EQ(std::tie(rows[2].Row, rows[2].ParameterNumber), std::make_tuple(40, 315));
}

}  // namespace
