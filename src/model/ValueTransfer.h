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
  int number = 0;         // parameter 0 .. 315 or setpoint 1 .. 24; 0 for Computing
  bool readBack = false;  // a write's check: reads back the value just written
  bool operator==(const TransferStep&) const = default;
};

// The exchanges of a mode, in order. A write of parameters ends with the
// compute step ("bp"); a write of setpoints alone does not.
std::vector<TransferStep> TransferSteps(int mode, bool write);

// The command of a step: "rp n", "rs n", "wp n v", "ws n v" or "bp"; a
// read-back step reads in a write run.
std::string TransferCommand(const TransferStep& step, bool write, const DeviceContent& send);

// The writes of chosen items (parameters and setpoints, in the order given),
// with the compute step last when `compute` is asked and a parameter is among
// them. No item gives no step at all.
std::vector<TransferStep> WriteStepsFor(std::vector<TransferStep> items, bool compute);

// The steps of a run without parameters 0, 1 and 2, the unit number and the
// line settings, so that a restored unit keeps its identity on its line.
std::vector<TransferStep> KeepingLineIdentity(std::vector<TransferStep> steps);

// A value the device holds otherwise than it was written: clamped, refused
// without a word, or changed when it computed the parameters.
struct HeldOtherwise {
  TransferStep item;  // the parameter or setpoint (readBack false)
  std::int32_t written = 0;
  std::int32_t held = 0;
};

// How a failure names its item: three blanks, "P[" or "S[", the number as
// three digits, "]" ("   P[120]"); nothing for the compute step.
std::string TransferItemLabel(const TransferStep& step);

struct TransferEnd {
  enum class Kind {
    Finished,       // every item moved (and "bp -1" for a write with compute; read back alike when checked)
    Differs,        // written and read back: the device holds some values otherwise (heldOtherwise)
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
  bool verified = false;    // a write whose values were read back
  std::vector<HeldOtherwise> heldOtherwise;  // Differs: each value the device holds otherwise
};

// Reads or writes a mode's values, one per exchange, on the line components
// given: every read reply must echo its command's code and number (so a late
// reply to an earlier command is never taken for this one) and carry a
// decimal value in the signed 32-bit range; a write reply must echo the code
// (and the number, when it carries one); an invalid reply is resent once.
class ValueTransfer {
public:
  // `values` carries the reads or writes; `compute` the "bp" of a write
  // (may be null for a reader); `readBack` the reads that check a write,
  // with a reader's time-out (null: a write is not checked). The transfer
  // takes over their events.
  ValueTransfer(TQL200Protocol& values, TQL200Protocol* compute, TQL200Protocol* readBack = nullptr);

  // A step's command is about to be sent for the first time.
  std::function<void(const TransferStep& step)> Progress;
  std::function<void(const TransferEnd& end)> Ended;

  void StartRead(int mode);
  // With `verify`, a write that went through (its "bp" answered -1) reads
  // back every value it wrote, on the read-back component, and ends with
  // Differs when the device holds any of them otherwise.
  void StartWrite(int mode, const DeviceContent& send, bool verify = false);
  // The same for chosen items only, in the order given (a write that should
  // end with the compute step lists it last).
  void StartRead(std::vector<TransferStep> steps);
  void StartWrite(std::vector<TransferStep> steps, const DeviceContent& send, bool verify = false);
  // Ends the run with Cancelled when the exchange under way is answered.
  void RequestCancel() { chain_->RequestCancel(); }
  bool Running() const { return chain_->Running(); }

  // What the last read received; items not reached keep older values.
  const DeviceContent& Received() const { return received_; }

private:
  void Start(std::vector<TransferStep> steps, bool write, bool verify);
  bool AddReadBack();
  bool Writes(const TransferStep& step) const { return write_ && !step.readBack; }
  std::vector<HeldOtherwise> Compared() const;
  std::optional<CommandChain::Command> Command(std::size_t index);
  CommandChain::Verdict Check(std::size_t index, const ResultBytes& reply) const;
  void Store(std::size_t index, const ResultBytes& reply);
  void Finish(const CommandChain::End& end);

  TQL200Protocol& values_;
  TQL200Protocol* compute_;
  TQL200Protocol* readBack_;
  std::unique_ptr<CommandChain> chain_;
  std::vector<TransferStep> steps_;
  bool write_ = false;
  bool verify_ = false;
  std::size_t written_ = 0;  // steps of the write itself, before its read-back
  DeviceContent send_;
  DeviceContent received_;
  ResultBytes lastComputeReply_;
  std::size_t announced_ = 0;  // steps whose Progress has fired
};
