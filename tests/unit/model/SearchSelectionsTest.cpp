#include "model/SearchSelections.h"

#include <gtest/gtest.h>

namespace {

SearchProbe At(int unit, TBaudrate rate, TStopBit stopBits = TStopBit::sb_1) {
  return {unit, rate, TParityBit::Even, stopBits};
}

SearchFraming Framing(TBaudrate rate, TStopBit stopBits = TStopBit::sb_1) {
  return {rate, TParityBit::Even, stopBits};
}

TEST(SearchSelections, AUnitStaysSelectedUntilAProbeAtItsOwnFraming) {
  using B = TBaudrate;
  SearchSelections selections;
  selections.Probed(At(17, B::br19200, TStopBit::sb_2));
  selections.Found(At(17, B::br19200, TStopBit::sb_2));
  // The next probe is at 1 stop bit: unit 17 does not hear it.
  selections.Probed(At(18, B::br19200));
  EXPECT_EQ(selections.ToDeselect(Framing(B::br9600)),
            (std::vector<SearchFraming>{Framing(B::br19200, TStopBit::sb_2)}));
  selections.Probed(At(18, B::br19200, TStopBit::sb_2));
  EXPECT_TRUE(selections.ToDeselect(Framing(B::br9600)).empty());

  // The last unit at a rate stays selected when the search moves on.
  selections.Found(At(31, B::br28800));
  selections.Probed(At(0, B::br38400));
  selections.Found(At(3, B::br38400));
  EXPECT_EQ(selections.ToDeselect(Framing(B::br19200, TStopBit::sb_2)),
            (std::vector<SearchFraming>{Framing(B::br28800), Framing(B::br38400)}));
  // Going on at a framing with a selected unit: the main window's own unit
  // select there deals with it.
  EXPECT_EQ(selections.ToDeselect(Framing(B::br38400)), (std::vector<SearchFraming>{Framing(B::br28800)}));
  selections.Clear();
  EXPECT_TRUE(selections.ToDeselect(Framing(B::br9600)).empty());
}

TEST(SearchSelections, TheDeselectSelectsNoUnitOfTheLine) {
  const std::string deselect = DeselectCommand();
  EXPECT_EQ(deselect, "sc 32");
  for (int unit = 0; unit <= kSearchLastUnit; ++unit) EXPECT_NE(deselect, ProbeCommand(unit));
}

}  // namespace
