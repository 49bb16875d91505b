#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "comm/HardwareRules.h"
#include "comm/RkGlobal.h"
#include "comm/RkTypes.h"
#include "comm/SerialApi.h"

class MainThreadInvoker;
class TRkComponent;
class TRkCommThread;
class TRkProtocolComponent;
class TrafficObserver;
struct ExchangeJob;
struct TCommRequest;

// One serial port of the PC: its line settings, opening and closing, the
// worker thread of the open port and the first-in first-out queue of
// exchanges that the bound protocol components hand to it.
//
// Everything here runs on the UI thread. Opening, closing and the setters
// are the only calls that raise (ECommHandleError, ECommInitError); the
// outcome of an exchange always arrives as an event of its component.
//
// PortAddress, PortType, Hardware and the drivers are configuration values:
// kept consistent with each other, stored and shown, but not applied to the
// port.
class TRkComm {
public:
  using NotifyEvent = std::function<void(TRkComm& sender)>;

  TRkComm(MainThreadInvoker& invoker, std::shared_ptr<SerialBackend> backend);
  ~TRkComm();
  TRkComm(const TRkComm&) = delete;
  TRkComm& operator=(const TRkComm&) = delete;

  bool Active() const { return active_; }
  void SetActive(bool value);
  void Open();
  void Close();

  TBaudrate Baudrate() const { return baudrate_; }
  TDataBit FrameDatabits() const { return dataBits_; }
  TParityBit FrameParitybit() const { return parity_; }
  TStopBit FrameStopbits() const { return stopBits_; }
  // Stored at once; on an open port also applied to the line at once.
  void SetBaudrate(TBaudrate value);
  void SetFrameDatabits(TDataBit value);
  void SetFrameParitybit(TParityBit value);
  void SetFrameStopbits(TStopBit value);

  TPort PortName() const { return portName_; }
  TPortAddr PortAddress() const { return portAddress_; }
  TPortType PortType() const { return portType_; }
  THardware Hardware() const { return hardware_; }
  TTransmitDriver TransmitDriver() const { return transmitDriver_; }
  TReceiveDriver ReceiveDriver() const { return receiveDriver_; }
  // Refused with ECommInitError while the port is open.
  void SetPortName(TPort value);
  void SetPortAddress(TPortAddr value);
  void SetPortType(TPortType value);
  void SetHardware(THardware value);
  void SetTransmitDriver(TTransmitDriver value);
  void SetReceiveDriver(TReceiveDriver value);
  // Hardware, port type and drivers together, kept consistent by the rules
  // of comm/HardwareRules.h.
  HardwareSettings CurrentHardwareSettings() const;

  // Copies the settings of source through the setters; does nothing while
  // this port is open.
  void Assign(const TRkComm& source);

  // Fast replies: an exchange of a component whose replies are single lines
  // (TQL200Protocol::SingleLineReplies) ends at the reply's CR LF instead of
  // after 50 ms of silence. Off by default; taken by each exchange when it
  // starts, so it may change while the port is open.
  bool FastReplies() const { return fastReplies_; }
  void SetFastReplies(bool on) { fastReplies_ = on; }
  // A reply was not the answer to its command (a late, doubled or cut one):
  // the next exchange first lets the line fall quiet, so what is still on
  // its way is not taken for the next reply.
  void AwaitQuietLine() { quietFirst_ = true; }

  LineSettings CurrentLineSettings() const;
  // The back-end ports are opened with (only while closed).
  void SetBackend(std::shared_ptr<SerialBackend> backend);
  MainThreadInvoker& Invoker() { return invoker_; }

  NotifyEvent OnActivate;
  NotifyEvent OnDeactivate;

  // Told of opens, closes, setting changes and every exchange (null: none).
  // It must outlive the port or be removed first.
  void SetTrafficObserver(TrafficObserver* observer) { traffic_ = observer; }

  // Used by the protocol components and the worker.
  int QueueRequest(TCommRequest* request);
  void RequestDone();
  void Bind(TRkComponent* component);
  void Unbind(TRkComponent* component);
  void WithdrawRequests(const TRkProtocolComponent* component);
  const std::vector<TRkComponent*>& BoundComponents() const { return bound_; }
  std::size_t QueueLength() const { return queue_.size(); }

private:
  ExchangeJob MakeJob(TCommRequest* request);
  void StartHead();
  void ApplyFrameSetting();
  void RefuseWhileOpen(const char* refusal) const;
  void TakeHardwareSettings(const HardwareSettings& settings);
  void StopWorker();
  void ReapRetiredWorkers(bool wait);

  MainThreadInvoker& invoker_;
  std::shared_ptr<SerialBackend> backend_;
  std::shared_ptr<SerialPort> port_;
  std::unique_ptr<TRkCommThread> worker_;
  // Workers of ports closed from inside a hand-over: they end as soon as
  // that hand-over returns and are joined later.
  std::vector<std::unique_ptr<TRkCommThread>> retired_;
  std::vector<TRkComponent*> bound_;
  std::vector<TCommRequest*> queue_;  // null: a withdrawn request still running on the worker
  // The request the worker runs now, or null when its component went away
  // meanwhile (then nothing may reach it).
  TCommRequest* running_ = nullptr;
  TrafficObserver* traffic_ = nullptr;

  std::atomic<bool> active_{false};
  bool destroying_ = false;
  bool fastReplies_ = false;
  bool quietFirst_ = false;
  TBaudrate baudrate_ = TBaudrate::br9600;
  TDataBit dataBits_ = TDataBit::db_8;
  TParityBit parity_ = TParityBit::Even;
  TStopBit stopBits_ = TStopBit::sb_1;
  TPort portName_ = TPort::COM1;
  TPortAddr portAddress_ = TPortAddr::pa_03F8;
  TPortType portType_ = TPortType::RS232C;
  THardware hardware_ = THardware::Standard;
  TTransmitDriver transmitDriver_ = TTransmitDriver::tdNone;
  TReceiveDriver receiveDriver_ = TReceiveDriver::rdNone;
};
