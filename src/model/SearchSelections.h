#pragma once

#include <string>
#include <vector>

#include "model/DeviceSearch.h"

// The line settings a probe of the device search is sent at.
struct SearchFraming {
  TBaudrate baudrate = TBaudrate::br9600;
  TParityBit parity = TParityBit::None;
  TStopBit stopBits = TStopBit::sb_1;
  friend bool operator==(const SearchFraming&, const SearchFraming&) = default;
};

SearchFraming FramingOf(const SearchProbe& probe);

// Which framings of the line may still have a unit selected by the search.
// A unit stays selected after it echoed its probe until it hears another
// "sc" at its own framing; one at another rate or framing it cannot read.
// Left selected, it answers the traffic at other rates with a few stray
// bytes, which then spoil every reply of the unit the user chose. So when
// the search ends, the units still selected at framings other than the one
// the port goes on with are deselected first.
class SearchSelections {
public:
  void Clear() { framings_.clear(); }
  // A unit echoed the probe: it is selected at that framing.
  void Found(const SearchProbe& probe);
  // A probe was sent: every unit at its framing is deselected (or the
  // probed one selected, which Found then notes).
  void Probed(const SearchProbe& probe);
  // The framings to deselect at before the port goes on with `next`: a unit
  // selected at `next` itself is handled by the next unit select there.
  std::vector<SearchFraming> ToDeselect(const SearchFraming& next) const;

private:
  std::vector<SearchFraming> framings_;
};

// Selects no unit: a number beyond the last one (0 .. 31) that no device
// has, so every unit that hears it is deselected and none answers.
std::string DeselectCommand();
