#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comm/QL200Protocol.h"
#include "model/BackupFile.h"
#include "model/CommandChain.h"

// How long each kind of exchange waits for the first reply byte: a read may
// take the device a while, a write is answered at once, and computing the
// parameters takes up to two seconds.
constexpr int kReadReplyTimeoutMs = 1000;
constexpr int kWriteReplyTimeoutMs = 0;  // the line's default, 100 ms
constexpr int kComputeReplyTimeoutMs = 2000;

// The transfer modes of the read and write windows.
enum TransferMode : int {
  kTransferParameters = 0,   // parameters 0 .. 315
  kTransferSetpoints = 1,    // setpoints 1 .. 24
  kTransferBoth = 2,         // parameters, then setpoints
  kTransferWholeDevice = 3,  // the same, for a backup or a restore
};

enum class TransferPhase { Parameters, Setpoints, Computing };

// One exchange of a transfer: the item it moves, or the compute step.
struct TransferStep {
  TransferPhase phase = TransferPhase::Parameters;
  int number = 0;  // parameter 0 .. 315 or setpoint 1 .. 24; 0 for Computing
  bool operator==(const TransferStep&) const = default;
};

// The exchanges of a mode, in order. A write of parameters ends with the
// compute step ("bp"); a write of setpoints alone does not.
std::vector<TransferStep> TransferSteps(int mode, bool write);

// The command of a step: "rp n", "rs n", "wp n v", "ws n v" or "bp".
std::string TransferCommand(const TransferStep& step, bool write, const DeviceContent& send);

// How a failure names its item: three blanks, "P[" or "S[", the number as
// three digits, "]" ("   P[120]"); nothing for the compute step.
std::string TransferItemLabel(const TransferStep& step);

struct TransferEnd {
  enum class Kind {
    Finished,       // every item moved (and "bp -1" for a write with compute)
    ComputeFailed,  // every item written, the device answered "bp" with another code
    Invalid,        // a second invalid reply to the same command
    Refused,        // the device refused a written value ("er 7")
    TimedOut,       // no reply within the time-out
    LineFault,      // any other failure of the exchange
    Cancelled,      // Cancel was asked for while an exchange was under way
  };
  Kind kind = Kind::Finished;
  TransferStep step;        // the step it ended on (the last one when finished)
  std::string replyStart;   // Invalid: the first four characters of the reply
  std::string computeCode;  // ComputeFailed: the device's answer after "bp "
};

// Reads or writes a mode's values, one per exchange, on the line components
// given: every read reply must echo its command's code and number (so a late
// reply to an earlier command is never taken for this one) and carry a
// decimal value in the signed 32-bit range; a write reply must echo the code
// (and the number, when it carries one); an invalid reply is resent once.
class ValueTransfer {
public:
  // `values` carries the reads or writes; `compute` the "bp" of a write
  // (may be null for a reader). The transfer takes over their events.
  ValueTransfer(TQL200Protocol& values, TQL200Protocol* compute);

  // A step's command is about to be sent for the first time.
  std::function<void(const TransferStep& step)> Progress;
  std::function<void(const TransferEnd& end)> Ended;

  void StartRead(int mode);
  void StartWrite(int mode, const DeviceContent& send);
  // The same for chosen items only, in the order given (a write that should
  // end with the compute step lists it last).
  void StartRead(std::vector<TransferStep> steps);
  void StartWrite(std::vector<TransferStep> steps, const DeviceContent& send);
  // Ends the run with Cancelled when the exchange under way is answered.
  void RequestCancel() { chain_->RequestCancel(); }
  bool Running() const { return chain_->Running(); }

  // What the last read received; items not reached keep older values.
  const DeviceContent& Received() const { return received_; }

private:
  void Start(std::vector<TransferStep> steps, bool write);
  std::optional<CommandChain::Command> Command(std::size_t index);
  CommandChain::Verdict Check(std::size_t index, const ResultBytes& reply) const;
  void Store(std::size_t index, const ResultBytes& reply);
  void Finish(const CommandChain::End& end);

  TQL200Protocol& values_;
  TQL200Protocol* compute_;
  std::unique_ptr<CommandChain> chain_;
  std::vector<TransferStep> steps_;
  bool write_ = false;
  DeviceContent send_;
  DeviceContent received_;
  ResultBytes lastComputeReply_;
  std::size_t announced_ = 0;  // steps whose Progress has fired
};
