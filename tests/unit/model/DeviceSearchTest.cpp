#include "model/DeviceSearch.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "comm/SerialApi.h"

namespace {

using P = TParityBit;
using S = TStopBit;
using B = TBaudrate;

std::vector<SearchProbe> AllProbes(DeviceSearchOrder& order, int startPosition, bool parityAuto, bool stopAuto,
                                   P savedParity = P::Even, S savedStop = S::sb_1) {
  std::vector<SearchProbe> probes{order.First(startPosition, parityAuto, stopAuto, savedParity, savedStop)};
  for (auto next = order.Next(); next; next = order.Next()) {
    probes.push_back(*next);
    if (probes.size() > 10000) break;  // a search that never ends fails below
  }
  return probes;
}

ResultBytes Bytes(std::string_view text) { return ResultBytes(text.begin(), text.end()); }

TEST(DeviceSearchOrder, BothAutoTriesEveryFramingOfAUnitBeforeTheNextUnit) {
  DeviceSearchOrder order;
  const std::vector<SearchProbe> probes = AllProbes(order, 0, true, true);
  const std::vector<SearchProbe> first = {
      {0, B::br9600, P::None, S::sb_1}, {0, B::br9600, P::Odd, S::sb_1}, {0, B::br9600, P::Even, S::sb_1},
      {0, B::br9600, P::None, S::sb_2}, {0, B::br9600, P::Odd, S::sb_2}, {0, B::br9600, P::Even, S::sb_2},
      {1, B::br9600, P::None, S::sb_1}};
  ASSERT_GT(probes.size(), 32u * 6u);
  EXPECT_EQ(std::vector<SearchProbe>(probes.begin(), probes.begin() + 7), first);
  EXPECT_EQ(probes[32 * 6 - 1], (SearchProbe{31, B::br9600, P::Even, S::sb_2}));
  EXPECT_EQ(probes[32 * 6], (SearchProbe{0, B::br19200, P::None, S::sb_1}));
}

TEST(DeviceSearchOrder, KeepingThePortFramingProbesEachUnitOncePerRateAndEndsAtTheStartRate) {
  const std::vector<std::vector<B>> cycles = {
      {B::br9600, B::br19200, B::br28800, B::br38400, B::br57600},
      {B::br19200, B::br28800, B::br38400, B::br57600, B::br9600},
      {B::br28800, B::br38400, B::br57600, B::br9600, B::br19200},
      {B::br38400, B::br57600, B::br9600, B::br19200, B::br28800},
      {B::br57600, B::br9600, B::br19200, B::br28800, B::br38400}};
  for (int position = 0; position < kStartBaudrateCount; ++position) {
    SCOPED_TRACE(position);
    DeviceSearchOrder order;
    const std::vector<SearchProbe> probes = AllProbes(order, position, false, false, P::Odd, S::sb_2);
    ASSERT_EQ(probes.size(), 5u * 32u);
    for (std::size_t i = 0; i < probes.size(); ++i) {
      const SearchProbe expected{static_cast<int>(i % 32), cycles[position][i / 32], P::Odd, S::sb_2};
      ASSERT_EQ(probes[i], expected) << i;
    }
    EXPECT_TRUE(order.Finished());
    EXPECT_FALSE(order.Next().has_value());
    EXPECT_EQ(order.Current(), probes.back());
  }
}

TEST(DeviceSearchOrder, EachModeTriesEveryCombinationExactlyOnce) {
  struct Mode {
    bool parityAuto, stopAuto;
    std::size_t framings;
  };
  for (const Mode mode : {Mode{true, true, 6}, Mode{true, false, 3}, Mode{false, true, 2}, Mode{false, false, 1}}) {
    SCOPED_TRACE(testing::Message() << mode.parityAuto << mode.stopAuto);
    DeviceSearchOrder order;
    const std::vector<SearchProbe> probes = AllProbes(order, 3, mode.parityAuto, mode.stopAuto, P::Even, S::sb_2);
    std::set<std::tuple<int, B, P, S>> distinct;
    for (const SearchProbe& p : probes) {
      distinct.insert({p.unit, p.baudrate, p.parity, p.stopBits});
      if (!mode.parityAuto) {
        EXPECT_EQ(p.parity, P::Even);
      }
      if (!mode.stopAuto) {
        EXPECT_EQ(p.stopBits, S::sb_2);
      }
    }
    EXPECT_EQ(probes.size(), 5u * 32u * mode.framings);
    EXPECT_EQ(distinct.size(), probes.size());
  }
}

// The first probes of each mode from 38400 bit/s, with even parity and two
// stop bits saved: parity innermost when it is searched, then stop bits,
// then the unit.
struct FirstProbes {
  bool parityAuto, stopAuto;
  std::vector<SearchProbe> first;
};

class DeviceSearchFirstProbes : public ::testing::TestWithParam<FirstProbes> {};

TEST_P(DeviceSearchFirstProbes, FollowTheSearchOrder) {
  const FirstProbes& mode = GetParam();
  DeviceSearchOrder order;
  const std::vector<SearchProbe> probes = AllProbes(order, 3, mode.parityAuto, mode.stopAuto, P::Even, S::sb_2);
  ASSERT_GE(probes.size(), mode.first.size());
  EXPECT_EQ(std::vector<SearchProbe>(probes.begin(), probes.begin() + static_cast<long>(mode.first.size())),
            mode.first);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DeviceSearchFirstProbes,
    ::testing::Values(
        FirstProbes{true, true,
                    {{0, B::br38400, P::None, S::sb_1}, {0, B::br38400, P::Odd, S::sb_1},
                     {0, B::br38400, P::Even, S::sb_1}, {0, B::br38400, P::None, S::sb_2},
                     {0, B::br38400, P::Odd, S::sb_2}, {0, B::br38400, P::Even, S::sb_2},
                     {1, B::br38400, P::None, S::sb_1}}},
        FirstProbes{true, false,
                    {{0, B::br38400, P::None, S::sb_2}, {0, B::br38400, P::Odd, S::sb_2},
                     {0, B::br38400, P::Even, S::sb_2}, {1, B::br38400, P::None, S::sb_2}}},
        FirstProbes{false, true,
                    {{0, B::br38400, P::Even, S::sb_1}, {0, B::br38400, P::Even, S::sb_2},
                     {1, B::br38400, P::Even, S::sb_1}, {1, B::br38400, P::Even, S::sb_2}}},
        FirstProbes{false, false,
                    {{0, B::br38400, P::Even, S::sb_2}, {1, B::br38400, P::Even, S::sb_2},
                     {2, B::br38400, P::Even, S::sb_2}}}));

TEST(DeviceSearchOrder, StartPositionOutsideTheListStartsAt9600) {
  DeviceSearchOrder order;
  EXPECT_EQ(order.First(-1, true, true, P::Odd, S::sb_2).baudrate, B::br9600);
  EXPECT_EQ(order.First(5, true, true, P::Odd, S::sb_2).baudrate, B::br9600);
  EXPECT_EQ(order.First(4, false, false, P::Odd, S::sb_2), (SearchProbe{0, B::br57600, P::Odd, S::sb_2}));
}

TEST(DeviceSearchProbe, OnlyTheExactEchoFindsADevice) {
  struct Row {
    const char* name;
    std::string reply;
    bool found;
  };
  const Row rows[] = {{"Echo", "sc 7\r\n", true},
                      {"ExtraCharacter", "sc 7x\r\n", false},
                      {"OtherUnit", "sc 17\r\n", false},
                      {"LeadingZero", "sc 07\r\n", false},
                      {"NoLineEnd", "sc 7", false},
                      {"LineEndBytesAreNotExamined", "sc 7ab", true},
                      {"Error", "er 1\r\n", false},
                      {"LineEndOnly", "\r\n", false},
                      {"Empty", "", false},
                      {"EchoInsideALongReply", "sc 7\r\n" + std::string(150, 'x'), false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(IsProbeEcho(Bytes(row.reply), 7), row.found);
  }
  EXPECT_EQ(ProbeCommand(7), "sc 7");
  EXPECT_EQ(ProbeCommand(31), "sc 31");
}

TEST(DeviceSearchProbe, TypeRepliesLoseEchoAndLineEnd) {
  EXPECT_EQ(TypeReplyText(Bytes("rt VQ22\r\n")), "VQ22");
  EXPECT_EQ(TypeReplyText(Bytes("rh X\r\n")), "X");
  EXPECT_EQ(TypeReplyText(Bytes("rh \r\n")), "");
  EXPECT_EQ(TypeReplyText(Bytes("")), "");
  EXPECT_EQ(TypeReplyText(Bytes("rx " + std::string(200, 'v') + "\r\n")), std::string(200, 'v'));
  EXPECT_EQ(JoinTypeTexts("VQ22", "1.05", ""), "VQ22   1.05   ");
}

TEST(DeviceSearchGrid, DeviceAtUnit7IsListedAndChosenBack) {
  const SearchProbe probe{7, B::br19200, P::Even, S::sb_1};
  ASSERT_TRUE(IsProbeEcho(Bytes("sc 7\r\n"), probe.unit));
  const std::string type = JoinTypeTexts(TypeReplyText(Bytes("rt VQ22\r\n")), TypeReplyText(Bytes("rh 1.05\r\n")),
                                         TypeReplyText(Bytes("rx 4711\r\n")));
  const FoundDeviceRow row = MakeFoundDeviceRow(probe, type);
  EXPECT_EQ(row, (FoundDeviceRow{"07", "VQ22   1.05   4711", "19200", "Even", "1"}));
  EXPECT_EQ(ChoiceFromRow(row), (DeviceChoice{7, B::br19200, P::Even, S::sb_1}));
}

TEST(DeviceSearchGrid, EveryProbeRoundTripsThroughItsRow) {
  DeviceSearchOrder order;
  for (const SearchProbe& probe : AllProbes(order, 0, true, true)) {
    const auto choice = ChoiceFromRow(MakeFoundDeviceRow(probe, "VQ20"));
    ASSERT_TRUE(choice.has_value());
    ASSERT_EQ(*choice, (DeviceChoice{probe.unit, probe.baudrate, probe.parity, probe.stopBits}));
  }
}

TEST(DeviceSearchGrid, UnknownCellTextsLeaveTheirSettingAlone) {
  EXPECT_EQ(ChoiceFromRow({"x1", "VQ20", "115200", "Mark", "1.5"}), DeviceChoice{});
  EXPECT_EQ(ChoiceFromRow({"32", "VQ20", "9600 ", "none", "2"}), (DeviceChoice{{}, {}, {}, S::sb_2}));
  EXPECT_FALSE(ChoiceFromRow({"07", "", "9600", "None", "1"}).has_value());  // an empty row
}

TEST(DeviceSearchTexts, PanelAndCellTexts) {
  const char* const display[] = {"1200 bit/s",  "2400 bit/s",  "4800 bit/s",  "9600 bit/s",  "19200 bit/s",
                                 "28800 bit/s", "38400 bit/s", "57600 bit/s", "115200 bit/s"};
  for (int b = 0; b < kBaudrateCount; ++b) EXPECT_EQ(BaudrateDisplayText(static_cast<B>(b)), display[b]);
  EXPECT_EQ(UnitCellText(0), "00");
  EXPECT_EQ(UnitCellText(31), "31");
  EXPECT_EQ(ParityCellText(P::Odd), "Odd");
  EXPECT_EQ(StopBitsCellText(S::sb_2), "2");
}

TEST(DeviceSearchAbort, OnlyAnExchangeCutByClosingIsAborted) {
  EXPECT_TRUE(IsAbortedExchange({cePortClosed, 0, 0}));
  EXPECT_TRUE(IsAbortedExchange({ceSystemError, static_cast<std::uint32_t>(CancelledWaitError()), 0}));
  EXPECT_FALSE(IsAbortedExchange({ceSystemError, EIO, 0}));
  EXPECT_FALSE(IsAbortedExchange({ceTimeout, 0, 0}));
  EXPECT_FALSE(IsAbortedExchange({}));
}

}  // namespace
