#include "model/DeviceSearchRun.h"

#include <utility>

#include "comm/RkComm.h"
#include "model/DeviceReply.h"
#include "model/LineCommand.h"

namespace {

// Calls an event that may be empty.
template <typename Event, typename... Args>
void Fire(const Event& event, Args&&... args) {
  if (event) event(std::forward<Args>(args)...);
}

}  // namespace

DeviceSearchRun::DeviceSearchRun(TRkComm& port) : port_(port) {
  SetUpLineCommand(probe_, &port);
  SetUpLineCommand(typeInfo_, &port);
  chain_ = std::make_unique<CommandChain>(std::vector<TQL200Protocol*>{&probe_, &typeInfo_});
  chain_->NextCommand = [this](std::size_t) { return std::exchange(next_, std::nullopt); };
  chain_->Accepted = [this](std::size_t, const ResultBytes& reply) { Reply(reply); };
  chain_->CheckFailure = [this](std::size_t, const TCommError& error) {
    Failure(error);
    return CommandChain::Verdict::Skip;
  };
  chain_->Ended = [this](const CommandChain::End& end) {
    sent_ = Sent::Nothing;
    // Failed: the port was closed before the next command could go out.
    if (end.outcome == CommandChain::Outcome::Failed) Aborted();
    ReportWhenIdle();
  };
  // A close of the port delivers nothing to the exchange it cuts short.
  for (TQL200Protocol* component : {&probe_, &typeInfo_})
    component->OnDeactivate = [this](TRkProtocolComponent&) {
      if (!chain_->Running()) return;
      chain_->Abandon();
      next_.reset();
      Aborted();
      ReportWhenIdle();
    };
}

bool DeviceSearchRun::Start(const SearchStart& start) {
  stopRequested_ = false;
  ending_ = false;
  selections_.Clear();
  const SearchProbe& first =
      order_.First(start.rates, start.parityAuto, start.stopBitsAuto, start.savedParity, start.savedStopBits);
  if (!Apply(first)) return false;
  if (!port_.Active() && !(OpenPort && OpenPort())) return false;
  Fire(OnProbe, first);
  selections_.Probed(first);
  Send(probe_, ProbeCommand(first.unit), Sent::Probe);
  return true;
}

void DeviceSearchRun::Continue() {
  stopRequested_ = false;
  NextProbe();
}

void DeviceSearchRun::Halt() {
  chain_->Abandon();
  next_.reset();
  sent_ = Sent::Nothing;
}

void DeviceSearchRun::End(const SearchFraming& next, std::function<void()> done) {
  ending_ = true;
  deselecting_ = false;
  endFraming_ = next;
  endDone_ = std::move(done);
  if (!chain_->Running()) ContinueEnding();
}

// --- Exchanges ----------------------------------------------------------------

void DeviceSearchRun::Send(TQL200Protocol& component, std::string command, Sent kind) {
  sent_ = kind;
  next_ = CommandChain::Command{&component, std::move(command)};
  if (!chain_->Running()) chain_->Start();
}

void DeviceSearchRun::Report(std::function<void()> event) {
  reports_.push_back(std::move(event));
  if (!chain_->Running()) ReportWhenIdle();
}

void DeviceSearchRun::ReportWhenIdle() {
  for (auto& report : std::exchange(reports_, {}))
    if (report) report();
}

void DeviceSearchRun::Aborted() {
  sent_ = Sent::Nothing;
  const bool wasEnding = std::exchange(ending_, false);
  Report(OnAborted);
  if (wasEnding) Report(std::exchange(endDone_, {}));
}

void DeviceSearchRun::Reply(const ResultBytes& reply) {
  const Sent sent = std::exchange(sent_, Sent::Nothing);
  const bool echo = sent == Sent::Probe && IsProbeEcho(reply, order_.Current().unit);
  if (echo) selections_.Found(order_.Current());
  if (ending_) return ContinueEnding();
  if (echo) {
    typeStep_ = 0;
    typeTexts_ = {};
    return Send(typeInfo_, kTypeQueries[0], Sent::TypeQuery);
  }
  if (sent != Sent::TypeQuery) return stopRequested_ ? Report(OnStopped) : NextProbe();
  // A reply to another command (a late one) says nothing of this type.
  const char* query = kTypeQueries[static_cast<std::size_t>(typeStep_)];
  if (EchoesCommand(reply, query)) typeTexts_[static_cast<std::size_t>(typeStep_)] = TypeReplyText(reply);
  if (typeStep_ == 1 && stopRequested_) return Report(OnStopped);
  if (typeStep_ == 2)
    return Report([this, found = order_.Current(), texts = typeTexts_] { Fire(OnFound, found, texts); });
  ++typeStep_;
  Send(typeInfo_, kTypeQueries[static_cast<std::size_t>(typeStep_)], Sent::TypeQuery);
}

void DeviceSearchRun::Failure(const TCommError& error) {
  sent_ = Sent::Nothing;
  if (IsAbortedExchange(error)) return Aborted();
  if (ending_) return ContinueEnding();
  if (stopRequested_) return Report(OnStopped);
  NextProbe();
}

void DeviceSearchRun::NextProbe() {
  const std::optional<SearchProbe> probe = order_.Next();
  if (!probe) return Report(OnFinished);
  if (!Apply(*probe)) return;
  Fire(OnProbe, *probe);
  selections_.Probed(*probe);
  Send(probe_, ProbeCommand(probe->unit), Sent::Probe);
}

// Only what changes is set: each setter applies the whole frame to the open
// port. A refused setting pauses the search.
bool DeviceSearchRun::Apply(const SearchProbe& probe) {
  try {
    if (port_.Baudrate() != probe.baudrate) port_.SetBaudrate(probe.baudrate);
    if (port_.FrameParitybit() != probe.parity) port_.SetFrameParitybit(probe.parity);
    if (port_.FrameStopbits() != probe.stopBits) port_.SetFrameStopbits(probe.stopBits);
    return true;
  } catch (const std::exception& e) {
    Report([this, why = std::string(e.what())] { Fire(OnSettingRefused, why); });
    return false;
  }
}

void DeviceSearchRun::ContinueEnding() {
  if (!deselecting_) {
    deselecting_ = true;
    toDeselect_ = port_.Active() ? selections_.ToDeselect(endFraming_) : std::vector<SearchFraming>{};
  }
  if (!toDeselect_.empty() && port_.Active()) {
    const SearchFraming framing = toDeselect_.front();
    toDeselect_.erase(toDeselect_.begin());
    const SearchProbe at{kSearchLastUnit + 1, framing.baudrate, framing.parity, framing.stopBits};
    if (Apply(at)) {
      selections_.Probed(at);
      return Send(probe_, DeselectCommand(), Sent::Deselect);
    }
  }
  ending_ = false;
  Report(std::exchange(endDone_, {}));
}
