#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comm/QL200Protocol.h"
#include "model/CommandChain.h"
#include "model/DeviceSearch.h"
#include "model/SearchSelections.h"

// Where a search starts: the baud rates it goes through and whether parity
// and stop bits are tried or kept as the port has them.
struct SearchStart {
  std::vector<TBaudrate> rates;  // in order, once each
  bool parityAuto = false;
  bool stopBitsAuto = false;
  TParityBit savedParity = TParityBit::None;
  TStopBit savedStopBits = TStopBit::sb_1;
};

// The device search on the port: for each combination in turn it sets the
// port's line settings and selects the unit ("sc n"); a unit that echoes
// the selection is asked for its three type texts ("rt", "rh", "rx") and
// reported, and the search pauses there until it is continued. A stop takes
// effect at the next probe's outcome, or after the "rh" reply of a found
// unit (which is then not reported).
//
// Ending a search first deselects the units it left selected at framings
// other than the one the port goes on with (model/SearchSelections.h).
// The exchanges run on a CommandChain; the window and the command line
// only show what this class reports.
class DeviceSearchRun {
public:
  explicit DeviceSearchRun(TRkComm& port);

  // Opens the port when it is closed; false when it could not be opened
  // (its owner has said why). Set by the owner of the port.
  std::function<bool()> OpenPort;

  std::function<void(const SearchProbe& probe)> OnProbe;  // about to be sent
  // A unit answered at `probe` with its "rt", "rh" and "rx" texts; paused.
  std::function<void(const SearchProbe& probe, const std::array<std::string, 3>& texts)> OnFound;
  std::function<void()> OnStopped;                                           // paused
  std::function<void()> OnFinished;                                          // every combination tried
  std::function<void(const std::string& why)> OnSettingRefused;              // paused
  std::function<void()> OnAborted;  // the port closed under an exchange of the search

  // A new search from its first combination; false when it could not start
  // (a refused setting or a port that did not open).
  bool Start(const SearchStart& start);
  // Goes on after a pause with the combination after the current one.
  void Continue();
  void RequestStop() { stopRequested_ = true; }
  // Deselects what needs it (after the exchange under way), then runs done.
  void End(const SearchFraming& next, std::function<void()> done);
  // Forgets the exchange under way, so that closing the port on purpose is
  // no aborted search.
  void Halt();

  const SearchProbe& Current() const { return order_.Current(); }
  bool Busy() const { return chain_->Running(); }

private:
  enum class Sent { Nothing, Probe, TypeQuery, Deselect };

  std::optional<CommandChain::Command> NextCommand();
  void Reply(const ResultBytes& reply);
  void Failure(const TCommError& error);
  void Ended(const CommandChain::End& end);
  void Send(TQL200Protocol& component, std::string command, Sent kind);
  void NextProbe();
  bool Apply(const SearchProbe& probe);
  void ContinueEnding();
  void Aborted();
  // Reports an event once no exchange is under way any more (at once when
  // none is), so that its receiver may continue, end or start again.
  void Report(std::function<void()> event);
  void ReportWhenIdle();

  TRkComm& port_;
  TQL200Protocol probe_;      // the unit-select probe
  TQL200Protocol typeInfo_;   // the three type queries of a found unit
  std::unique_ptr<CommandChain> chain_;
  std::optional<CommandChain::Command> next_;
  std::vector<std::function<void()>> reports_;  // waiting for the chain's end
  DeviceSearchOrder order_;
  SearchSelections selections_;
  Sent sent_ = Sent::Nothing;
  bool stopRequested_ = false;
  int typeStep_ = 0;
  std::array<std::string, 3> typeTexts_;
  bool ending_ = false;
  bool deselecting_ = false;
  SearchFraming endFraming_;
  std::vector<SearchFraming> toDeselect_;
  std::function<void()> endDone_;
};
