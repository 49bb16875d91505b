#include "platform/IniDocument.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace {

TEST(IniDocument, SectionsAndKeysMatchWithoutRegardToCase) {
  const auto doc = IniDocument::FromText("[Serieel]\nBaudRate=4\n");
  EXPECT_EQ(doc.ReadInteger("serieel", "BAUDRATE", 0), 4);
  EXPECT_TRUE(doc.HasSection("SERIEEL"));
  EXPECT_TRUE(doc.HasKey("Serieel", "baudrate"));
}

TEST(IniDocument, MissingKeyOrSectionGivesTheCallersDefault) {
  const auto doc = IniDocument::FromText("[Main]\nA=1\n");
  EXPECT_EQ(doc.ReadString("Main", "B", "dflt"), "dflt");
  EXPECT_EQ(doc.ReadString("Other", "A", "x"), "x");
  EXPECT_EQ(doc.ReadInteger("Main", "B", 7), 7);
}

TEST(IniDocument, PresentEmptyValueIsEmptyNotTheDefault) {
  const auto doc = IniDocument::FromText("[Main]\nA=\n");
  EXPECT_EQ(doc.ReadString("Main", "A", "dflt"), "");
}

TEST(IniDocument, ValuesAreReturnedAsWrittenWithQuotesKept) {
  const auto doc = IniDocument::FromText("[S]\nlist = \"a b\",c d  \nx=1=2\n");
  EXPECT_EQ(doc.ReadString("S", "list", ""), "\"a b\",c d");
  EXPECT_EQ(doc.ReadString("S", "x", ""), "1=2");
}

TEST(IniDocument, CrLfLfAndCrLineEndsAreAllLineEnds) {
  const auto doc = IniDocument::FromText("[A]\r\nx=1\r\n[B]\ny=2\r[C]\rz=3");
  EXPECT_EQ(doc.ReadInteger("A", "x", 0), 1);
  EXPECT_EQ(doc.ReadInteger("B", "y", 0), 2);
  EXPECT_EQ(doc.ReadInteger("C", "z", 0), 3);
}

TEST(IniDocument, DuplicateSectionsMergeAndTheFirstValueOfAKeyCounts) {
  const auto doc = IniDocument::FromText("[A]\nx=1\nx=2\n[B]\n[a]\ny=3\nx=4\n");
  EXPECT_EQ(doc.ReadInteger("A", "x", 0), 1);
  EXPECT_EQ(doc.ReadInteger("A", "y", 0), 3);
  EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(doc.Keys("a"), (std::vector<std::string>{"x", "y"}));
}

// What is written at closing is what the next start reads, whatever the file held.
TEST(IniDocument, AWrittenKeyIsReadBackAndHeldOnce) {
  const std::pair<const char*, std::string> rows[] = {
      {"two byte-order marks", "\xEF\xBB\xBF\xEF\xBB\xBF[a]\nk=1\n"},
      {"section twice", "[a]\nk=1\n[b]\n[A]\nK=3\n"},
  };
  for (const auto& [name, text] : rows) {
    SCOPED_TRACE(name);
    IniDocument doc = IniDocument::FromText(text);
    doc.WriteString("a", "k", "2");
    const std::string saved = AsciiLower(doc.ToText());
    EXPECT_EQ(IniDocument::FromText(saved).ReadString("a", "k", ""), "2");
    EXPECT_EQ(saved.find("k="), saved.rfind("k=")) << saved;
  }
}

TEST(IniDocument, LinesWithoutEqualsAndKeysBeforeAnySectionAreNotFound) {
  const auto doc = IniDocument::FromText("top=1\n[A]\njust text\n=novalue\n;x=5\nx=2\n");
  EXPECT_EQ(doc.ReadInteger("A", "x", 0), 2);
  EXPECT_EQ(doc.Keys("A"), std::vector<std::string>{"x"});
}

TEST(IniDocument, WriteBackKeepsUnknownSectionsKeysAndComments) {
  auto doc = IniDocument::FromText("; comment\n[Serieel]\nbaudrate=6\nextra=keep me\n[Poorten]\nCOM3=/dev/ttyUSB0\n");
  doc.WriteInteger("SERIEEL", "BaudRate", 3);
  doc.WriteInteger("Serieel", "parity", 2);
  doc.WriteBool("Grafiek", "X_hulplijn", true);
  EXPECT_EQ(doc.ToText(),
            "; comment\n[Serieel]\nbaudrate=3\nextra=keep me\nparity=2\n[Poorten]\nCOM3=/dev/ttyUSB0\n"
            "\n[Grafiek]\nX_hulplijn=1\n");
}

TEST(IniDocument, WriteKeepsTheLineEndStyleOfTheFile) {
  auto doc = IniDocument::FromText("[A]\r\nx=1\r\n");
  doc.WriteString("A", "y", "2");
  EXPECT_EQ(doc.ToText(), "[A]\r\nx=1\r\ny=2\r\n");
}

TEST(IniDocument, WrittenValuesStayOnOneLine) {
  IniDocument doc;
  doc.WriteString("A", "x", "one\ntwo\r[B]");
  const auto reread = IniDocument::FromText(doc.ToText());
  EXPECT_EQ(reread.ReadString("A", "x", ""), "one two [B]");
  EXPECT_FALSE(reread.HasSection("B"));
}

struct NumberCase {
  const char* text;
  std::optional<std::int32_t> expected;
};

class WholeNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumber, Parses) { EXPECT_EQ(ParseWholeNumber(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, WholeNumber,
    ::testing::Values(NumberCase{"0", 0}, NumberCase{"42", 42}, NumberCase{"-42", -42}, NumberCase{"+7", 7},
                      NumberCase{" 12 ", 12}, NumberCase{"$1F", 31}, NumberCase{"0x1f", 31},
                      NumberCase{"-$10", -16}, NumberCase{"$FFFFFFFF", -1}, NumberCase{"2147483647", 2147483647},
                      NumberCase{"-2147483648", std::numeric_limits<std::int32_t>::min()},
                      NumberCase{"2147483648", std::nullopt}, NumberCase{"99999999999999999999", std::nullopt},
                      NumberCase{"$123456789", std::nullopt}, NumberCase{"", std::nullopt},
                      NumberCase{"-", std::nullopt}, NumberCase{"$", std::nullopt}, NumberCase{"1.5", std::nullopt},
                      NumberCase{"12abc", std::nullopt}, NumberCase{"yes", std::nullopt},
                      NumberCase{"1 2", std::nullopt}));

TEST(IniDocument, NonNumbersReadAsTheDefault) {
  const auto doc = IniDocument::FromText("[S]\na=abc\nb=5\nc=0\nd=\n");
  EXPECT_EQ(doc.ReadInteger("S", "a", 6), 6);
  EXPECT_TRUE(doc.ReadBool("S", "b", false));
  EXPECT_FALSE(doc.ReadBool("S", "c", true));
  EXPECT_TRUE(doc.ReadBool("S", "d", true));
  EXPECT_FALSE(doc.ReadBool("S", "a", false));
}

class IniFiles : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("ini-test-" + std::to_string(::getpid()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  void WriteRaw(const char* name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::filesystem::path dir_;
};

TEST_F(IniFiles, SaveThenLoadRoundTrips) {
  IniDocument doc;
  doc.WriteString("Algemeen", "OpenCloseDialoogPath", "/home/user/param files/");
  ASSERT_TRUE(doc.SaveFile(Path("a.ini")));
  const auto loaded = IniDocument::LoadFile(Path("a.ini"));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->ReadString("algemeen", "openclosedialoogpath", ""), "/home/user/param files/");
  // Nothing but the target is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(IniFiles, MissingFileAndFolderAreReportedNotThrown) {
  std::string error;
  EXPECT_FALSE(IniDocument::LoadFile(Path("missing.ini"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(IniDocument::LoadFile(dir_.string(), &error));
}

TEST_F(IniFiles, SaveIntoAMissingFolderFailsAndLeavesNothing) {
  std::string error;
  EXPECT_FALSE(IniDocument{}.SaveFile(Path("no/such/dir/x.ini"), &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(IniFiles, TruncatedBinaryAndHugeLinesNeverCrash) {
  std::string binary;
  std::mt19937 rng(1234);
  for (int i = 0; i < 200000; ++i) binary += static_cast<char>(rng() & 0xFF);
  WriteRaw("binary.ini", binary);
  WriteRaw("huge.ini", "[Serieel]\nbaudrate=" + std::string(5'000'000, '9') + "\nparity=2\n" +
                           std::string(3'000'000, 'x'));
  WriteRaw("truncated.ini", "[Serieel]\nbaudrate=4\npar");
  WriteRaw("unterminated.ini", "[Serieel\nbaudrate=4\n");

  ASSERT_TRUE(IniDocument::LoadFile(Path("binary.ini")));
  const auto huge = IniDocument::LoadFile(Path("huge.ini"));
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->ReadInteger("Serieel", "baudrate", 6), 6);
  EXPECT_EQ(huge->ReadInteger("Serieel", "parity", 1), 2);
  const auto truncated = IniDocument::LoadFile(Path("truncated.ini"));
  ASSERT_TRUE(truncated);
  EXPECT_EQ(truncated->ReadInteger("Serieel", "baudrate", 6), 4);
  EXPECT_EQ(truncated->ReadInteger("Serieel", "par", 1), 1);
  const auto unterminated = IniDocument::LoadFile(Path("unterminated.ini"));
  ASSERT_TRUE(unterminated);
  EXPECT_EQ(unterminated->ReadInteger("Serieel", "baudrate", 6), 4);
}

TEST(IniDocumentFuzz, RandomTextsParseAndRoundTripTheirLookups) {
  std::mt19937 rng(99);
  static const char kAlphabet[] = "[]=;\r\n \t\"abAB01$x-\0\xff";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int len = static_cast<int>(rng() % 200);
    for (int i = 0; i < len; ++i) text += alphabet[rng() % alphabet.size()];
    const auto doc = IniDocument::FromText(text);
    const auto reread = IniDocument::FromText(doc.ToText());
    for (const std::string& section : doc.Sections())
      for (const std::string& key : doc.Keys(section))
        ASSERT_EQ(doc.Find(section, key), reread.Find(section, key)) << "text: " << text;
  }
}

}  // namespace
