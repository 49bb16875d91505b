#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "comm/RkCompsResources.h"
#include "comm/RkGlobal.h"

namespace {

struct LocaleCase {
  const char* lcAll;
  const char* lcMessages;
  const char* lang;
  int language;
};

class LibraryLanguageFromLocale : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LibraryLanguageFromLocale, GermanOnlyForAGermanLocale) {
  const auto& c = GetParam();
  EXPECT_EQ(LanguageFromLocale(c.lcAll, c.lcMessages, c.lang), c.language);
}

INSTANTIATE_TEST_SUITE_P(Table, LibraryLanguageFromLocale,
                         ::testing::Values(LocaleCase{nullptr, nullptr, "de_DE.UTF-8", 2},
                                           LocaleCase{nullptr, nullptr, "de_AT", 2},
                                           LocaleCase{nullptr, nullptr, "de_CH.UTF-8", 2},
                                           LocaleCase{nullptr, nullptr, "en_US.UTF-8", 1},
                                           LocaleCase{nullptr, nullptr, "nl_NL.UTF-8", 1},
                                           LocaleCase{nullptr, nullptr, nullptr, 1},
                                           LocaleCase{"", "", "", 1},
                                           LocaleCase{"C", nullptr, "de_DE", 1},
                                           LocaleCase{"de_DE", nullptr, "en_GB", 2},
                                           LocaleCase{nullptr, "de_DE", "en_GB", 2},
                                           LocaleCase{"", "en_GB", "de_DE", 1}));

TEST(RkTexts, CatalogueHoldsBothLanguagesAndNothingElse) {
  EXPECT_STREQ(RkText(1, 1), "Data transmission successful!");
  EXPECT_STREQ(RkText(8, 2), "Stoppbitfehler!");
  EXPECT_STREQ(RkText(2, 2), "Unbekannten Fehler!");
  EXPECT_STREQ(RkText(43, 1), "Timeout error!");
  EXPECT_STREQ(RkText(43, 2), "Zeitüberschreitungs-Fehler!");
  EXPECT_STREQ(RkText(11, 1), "Wrong function number!\r\nFunction undefined.");
  EXPECT_STREQ(RkText(50, 1), "RkInitCommE.hlp");
  EXPECT_STREQ(RkText(50, 2), "RkInitComm.hlp");
  EXPECT_STREQ(RkText(82, 2), "DTR = 0");
  EXPECT_STREQ(RkText(1, 0), "");
  EXPECT_STREQ(RkText(0, 1), "");
  EXPECT_STREQ(RkText(83, 1), "");
  for (int n = 1; n <= RkTextCount; ++n) {
    EXPECT_STRNE(RkText(n, 1), "") << n;
    EXPECT_STRNE(RkText(n, 2), "") << n;
  }
}

}  // namespace
