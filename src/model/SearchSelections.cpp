#include "model/SearchSelections.h"

#include <algorithm>

SearchFraming FramingOf(const SearchProbe& probe) { return {probe.baudrate, probe.parity, probe.stopBits}; }

void SearchSelections::Found(const SearchProbe& probe) {
  const SearchFraming framing = FramingOf(probe);
  if (std::find(framings_.begin(), framings_.end(), framing) == framings_.end()) framings_.push_back(framing);
}

void SearchSelections::Probed(const SearchProbe& probe) {
  const SearchFraming framing = FramingOf(probe);
  framings_.erase(std::remove(framings_.begin(), framings_.end(), framing), framings_.end());
}

std::vector<SearchFraming> SearchSelections::ToDeselect(const SearchFraming& next) const {
  std::vector<SearchFraming> out;
  for (const SearchFraming& framing : framings_)
    if (!(framing == next)) out.push_back(framing);
  return out;
}

std::string DeselectCommand() { return ProbeCommand(kSearchLastUnit + 1); }
