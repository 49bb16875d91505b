// The reply form of every command: echoed code, blank, value text.
#include <gtest/gtest.h>

#include <regex>

#include "SimTestSupport.h"

namespace {

struct ReplyCase {
  const char* command;
  const char* pattern;  // the whole reply text, as a regular expression
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << '"' << c.command << '"'; }

class ReplyFormTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyFormTest, AnswersWithEchoedCodeAndValue) {
  StillDevice unit(2000);
  std::string reply = unit.Send(GetParam().command);
  EXPECT_TRUE(std::regex_match(reply, std::regex(GetParam().pattern))) << "reply: \"" << reply << "\"";
}

const ReplyCase Cases[] = {
    {"sc 0", "sc 0"},
    {"rt", "rt VQ22 V[0-9]+\\.[0-9]+"},
    {"rh", "rh .+"},
    {"rx", "rx .+"},
    {"r0", "r0 2000"},
    {"r1", "r1 0"},
    {"r8", "r8 -?[0-9]+"},
    {"ra", "ra 2000"},
    {"rb", "rb 2000"},
    {"r2", "r2 -?[0-9]+"},
    {"r3", "r3 0"},
    {"r4", "r4 -?[0-9]+"},
    {"r5", "r5 0"},
    {"r6", "r6 -?[0-9]+"},
    {"ri", "ri 0"},
    {"ru", "ru [0-9]+"},
    {"rf", "rf -1"},
    {"wf", "wf -1"},
    {"rp 203", "rp 203 2"},
    {"rp 0", "rp 0 0"},
    {"rs 1", "rs 1 400"},
    {"rs 24", "rs 24 9600"},
    {"wp 203 3", "wp 203 3"},
    {"wp 7 -1500", "wp 7 -1500"},
    {"ws 5 -77", "ws 5 -77"},
    {"bp", "bp -1"},
    {"km 1", "km 1"},
    {"km 0", "km 0"},
    {"kf 2", "kf 2"},
    {"ka -50000", "ka -50000"},
    {"kr 2041", "kr 2041 0"},
    {"kr 2029", "kr 2029 65208"},
    {"kw 2040 -12", "kw 2040 -12"},
    {"ks", "ks -1"},
    {"  rt  ", "rt VQ22 V[0-9]+\\.[0-9]+"},
    {"xx", "er 1"},
    {"RT", "er 1"},
    {"rp", "er 2"},
    {"rp abc", "er 2"},
    {"wp 12", "er 2"},
    {"r0 5", "er 2"},
    {"rp 316", "er 7"},
    {"rs 0", "er 7"},
    {"rs 25", "er 7"},
    {"kr 2027", "er 7"},
    {"km 2", "er 7"},
    {"kf 3", "er 7"},
    {"ka 100001", "er 7"},
};

INSTANTIATE_TEST_SUITE_P(EveryCommand, ReplyFormTest, ::testing::ValuesIn(Cases));

TEST(ReplyForm, TypeTextStartsWithTheConfiguredType) {
  StillDevice unit(0, "VQ20", 7);
  EXPECT_EQ(unit.Send("rt").substr(0, 7), "rt VQ20");
  EXPECT_EQ(unit.Send("sc 7"), "sc 7");
}

TEST(ReplyForm, LongIdentificationExceedsOneHundredBytes) {
  StillDevice unit;
  EXPECT_LT(unit.Send("rh").size() + 2, 100u);
  unit.device->SetLongIdentification(true);
  EXPECT_GT(unit.Send("rh").size() + 2, 100u);
}

TEST(ReplyForm, ReadBackReturnsWhatWasWritten) {
  StillDevice unit;
  EXPECT_EQ(unit.Send("wp 120 1234"), "wp 120 1234");
  EXPECT_EQ(unit.Send("rp 120"), "rp 120 1234");
  EXPECT_EQ(unit.Send("ws 24 -99"), "ws 24 -99");
  EXPECT_EQ(unit.Send("rs 24"), "rs 24 -99");
  EXPECT_EQ(unit.Send("kw 2035 17"), "kw 2035 17");
  EXPECT_EQ(unit.Send("kr 2035"), "kr 2035 17");
}

}  // namespace
