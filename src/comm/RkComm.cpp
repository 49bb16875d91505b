#include "comm/RkComm.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "comm/ExchangeIo.h"
#include "comm/HardwareRules.h"
#include "comm/MainThreadInvoker.h"
#include "comm/RkCommThread.h"
#include "comm/RkProtocolComponent.h"
#include "comm/TrafficObserver.h"

TRkComm::TRkComm(MainThreadInvoker& invoker, std::shared_ptr<SerialBackend> backend)
    : invoker_(invoker), backend_(std::move(backend)) {}

TRkComm::~TRkComm() {
  destroying_ = true;
  try {
    Close();
  } catch (const std::exception&) {
    // Closing at destruction has no one to report to.
  }
  ReapRetiredWorkers(true);
  // Destroyed from inside one of its own events: the worker blocked in that
  // event's hand-over ends right after it and is joined then.
  for (auto& worker : retired_) invoker_.ReleaseAfterTasks(std::shared_ptr<void>(std::move(worker)));
  const std::vector<TRkComponent*> bound = bound_;
  for (TRkComponent* component : bound) component->SetRkComm(nullptr);
}

void TRkComm::SetActive(bool value) {
  if (value)
    Open();
  else
    Close();
}

void TRkComm::Open() {
  if (active_) return;
  ReapRetiredWorkers(false);
  int error = 0;
  port_ = backend_ ? backend_->Open(portName_, error) : nullptr;
  if (!port_) {
    const std::string text = SystemErrorText(error != 0 ? error : NoSuchPortError());
    if (traffic_) traffic_->PortOpened(portName_, CurrentLineSettings(), text);
    throw ECommHandleError(text);
  }
  active_ = true;
  try {
    if (const int e = port_->ReadState(); e != 0) throw ECommInitError(SystemErrorText(e));
    ApplyFrameSetting();
    worker_ = std::make_unique<TRkCommThread>(port_, invoker_, active_, [this] { RequestDone(); });
  } catch (const std::exception& e) {
    try {
      Close();
    } catch (const std::exception&) {
      // The first failure is the one the caller needs to see.
    }
    if (traffic_) traffic_->PortOpened(portName_, CurrentLineSettings(), e.what());
    throw;
  }
  if (traffic_) traffic_->PortOpened(portName_, CurrentLineSettings(), "");
  if (OnActivate && !destroying_) OnActivate(*this);
}

void TRkComm::Close() {
  if (!active_) return;
  active_ = false;
  // Every polling cycle ends with the port; each component says so.
  const std::vector<TRkComponent*> bound = bound_;
  for (TRkComponent* component : bound) {
    if (std::find(bound_.begin(), bound_.end(), component) == bound_.end()) continue;
    if (TRkProtocolComponent* protocol = component->AsProtocolComponent()) protocol->SetCyclic(false);
  }
  queue_.clear();
  running_ = nullptr;
  for (TRkComponent* component : bound_)
    if (TRkProtocolComponent* protocol = component->AsProtocolComponent()) protocol->PortClosed();
  StopWorker();
  int error = 0;
  if (port_) error = port_->Close();
  port_.reset();
  if (traffic_) traffic_->PortClosed();
  if (error != 0) throw ECommHandleError(SystemErrorText(error));
  if (OnDeactivate && !destroying_) OnDeactivate(*this);
}

void TRkComm::StopWorker() {
  if (!worker_) return;
  worker_->Terminate();
  if (port_) port_->CancelWait();
  if (invoker_.InsideTask()) {
    // The worker is blocked in the hand-over that is running this very
    // call; it cannot end before we return. It ends right after.
    retired_.push_back(std::move(worker_));
    return;
  }
  while (!worker_->Finished()) invoker_.ServeFor(std::chrono::milliseconds(20));
  worker_.reset();
}

void TRkComm::ReapRetiredWorkers(bool wait) {
  for (auto it = retired_.begin(); it != retired_.end();) {
    if (wait && !invoker_.InsideTask())
      while (!(*it)->Finished()) invoker_.ServeFor(std::chrono::milliseconds(20));
    if ((*it)->Finished())
      it = retired_.erase(it);
    else
      ++it;
  }
}

LineSettings TRkComm::CurrentLineSettings() const { return {baudrate_, dataBits_, parity_, stopBits_}; }

void TRkComm::ApplyFrameSetting() {
  if (!active_ || !port_) return;
  if (const int error = port_->ApplySettings(CurrentLineSettings()); error != 0)
    throw ECommInitError(SystemErrorText(error));
  if (traffic_) traffic_->LineSettingsChanged(CurrentLineSettings());
}

void TRkComm::SetBaudrate(TBaudrate value) {
  baudrate_ = value;
  ApplyFrameSetting();
}

void TRkComm::SetFrameDatabits(TDataBit value) {
  dataBits_ = value;
  ApplyFrameSetting();
}

void TRkComm::SetFrameParitybit(TParityBit value) {
  parity_ = value;
  ApplyFrameSetting();
}

void TRkComm::SetFrameStopbits(TStopBit value) {
  stopBits_ = value;
  ApplyFrameSetting();
}

void TRkComm::RefuseWhileOpen(const char* refusal) const {
  if (active_) throw ECommInitError(PortDisplayName(portName_) + " is active!\r\n\r\n" + refusal);
}

void TRkComm::SetPortName(TPort value) {
  RefuseWhileOpen("Cannot change port");
  portName_ = value;
  // COM1..COM4 have their classic I/O addresses; higher ports keep the
  // address they had, since it has no effect on the port.
  const int position = static_cast<int>(value);
  if (position < kPortAddrCount) portAddress_ = static_cast<TPortAddr>(position);
}

void TRkComm::SetPortAddress(TPortAddr value) {
  RefuseWhileOpen("Cannot change the port address");
  portAddress_ = value;
}

void TRkComm::SetHardware(THardware value) {
  RefuseWhileOpen("Cannot change port hardware");
  TakeHardwareSettings(WithHardware(CurrentHardwareSettings(), value));
}

void TRkComm::SetPortType(TPortType value) {
  RefuseWhileOpen("Cannot change the port type");
  TakeHardwareSettings(WithPortType(CurrentHardwareSettings(), value));
}

void TRkComm::SetTransmitDriver(TTransmitDriver value) {
  RefuseWhileOpen("Cannot change device driver");
  TakeHardwareSettings(WithTransmitDriver(CurrentHardwareSettings(), value));
}

void TRkComm::SetReceiveDriver(TReceiveDriver value) {
  RefuseWhileOpen("Cannot change device driver");
  TakeHardwareSettings(WithReceiveDriver(CurrentHardwareSettings(), value));
}

HardwareSettings TRkComm::CurrentHardwareSettings() const {
  return {hardware_, portType_, transmitDriver_, receiveDriver_};
}

void TRkComm::TakeHardwareSettings(const HardwareSettings& settings) {
  hardware_ = settings.hardware;
  portType_ = settings.portType;
  transmitDriver_ = settings.transmitDriver;
  receiveDriver_ = settings.receiveDriver;
}

void TRkComm::Assign(const TRkComm& source) {
  if (active_ || &source == this) return;
  SetPortName(source.portName_);
  SetPortAddress(source.portAddress_);
  SetBaudrate(source.baudrate_);
  SetFrameDatabits(source.dataBits_);
  SetFrameParitybit(source.parity_);
  SetFrameStopbits(source.stopBits_);
  SetHardware(source.hardware_);
  SetPortType(source.portType_);
  SetReceiveDriver(source.receiveDriver_);
  SetTransmitDriver(source.transmitDriver_);
}

void TRkComm::SetBackend(std::shared_ptr<SerialBackend> backend) {
  if (!active_) backend_ = std::move(backend);
}

int TRkComm::QueueRequest(TCommRequest* request) {
  if (!active_ || !worker_) return -1;
  queue_.push_back(request);
  const int index = static_cast<int>(queue_.size()) - 1;
  if (index == 0) StartHead();
  return index;
}

void TRkComm::RequestDone() {
  if (!queue_.empty()) queue_.erase(queue_.begin());
  running_ = nullptr;
  if (active_ && worker_ && !queue_.empty()) StartHead();
}

void TRkComm::StartHead() {
  running_ = queue_.front();
  ExchangeJob job = MakeJob(running_);
  if (traffic_ && job.kind != ProtocolKind::None) {
    const std::size_t length = job.request.frame[0];
    traffic_->ExchangeStarted(std::span(job.request.frame).subspan(1, length > 0 ? length - 1 : 0));
  }
  worker_->StartJob(std::move(job));
}

// The worker gets a copy of the request and two routines that find the
// component again on the UI thread, so it never holds a component itself.
ExchangeJob TRkComm::MakeJob(TCommRequest* request) {
  ExchangeJob job;
  TRkProtocolComponent* sender = request != nullptr ? request->Sender : nullptr;
  if (sender == nullptr) return job;
  job.kind = sender->Kind();
  job.request.frame = request->Frame;
  job.request.firstByteTimeoutMs = request->TimeoutTime > 0 ? request->TimeoutTime : 100;
  job.request.quietFirst = std::exchange(quietFirst_, false);
  sender->DescribeExchange(job.request);
  auto alive = [this, request] {
    return running_ == request && !request->Sender->Destroying() ? request->Sender : nullptr;
  };
  job.handOver = [this, alive](const FrameBuffer& data, const FrameBuffer& frame, bool& continuation) {
    if (traffic_) traffic_->ReplyBytes(std::span(data).subspan(1, data[0]), continuation);
    if (TRkProtocolComponent* s = alive()) s->DoReceiveData(data, frame, continuation);
  };
  job.deliver = [this, alive](const TCommError& error, const FrameBuffer& data) {
    if (traffic_) traffic_->ExchangeEnded(error);
    if (TRkProtocolComponent* s = alive()) s->DoCommResult(error, data);
  };
  return job;
}

void TRkComm::Bind(TRkComponent* component) {
  if (std::find(bound_.begin(), bound_.end(), component) == bound_.end()) bound_.push_back(component);
}

void TRkComm::Unbind(TRkComponent* component) {
  if (TRkProtocolComponent* protocol = component->AsProtocolComponent()) WithdrawRequests(protocol);
  bound_.erase(std::remove(bound_.begin(), bound_.end(), component), bound_.end());
}

void TRkComm::WithdrawRequests(const TRkProtocolComponent* component) {
  if (queue_.empty()) return;
  // The head is running on the worker: keep its place so the queue moves on
  // when it ends, but deliver nothing. Later entries are simply dropped.
  if (queue_.front() != nullptr && queue_.front()->Sender == component) {
    if (running_ == queue_.front()) running_ = nullptr;
    queue_.front() = nullptr;
  }
  queue_.erase(std::remove_if(queue_.begin() + 1, queue_.end(),
                              [&](const TCommRequest* r) { return r != nullptr && r->Sender == component; }),
               queue_.end());
}
