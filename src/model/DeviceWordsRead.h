#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "comm/QL200Protocol.h"
#include "model/CommandChain.h"

// Every calibration word a device keeps: the four teach values of the analog
// output (2028 .. 2031), two reserved words and the twelve words of the
// calibration window (2034 .. 2045), read with "kr" in address order.
constexpr std::int32_t kFirstDeviceWord = 2028;
constexpr std::int32_t kLastDeviceWord = 2045;
constexpr int kDeviceWordCount = kLastDeviceWord - kFirstDeviceWord + 1;
using DeviceWords = std::array<std::int32_t, kDeviceWordCount>;  // entry i is word 2028 + i

// How a read of the words ended: Completed, or the address it stopped at
// with the chain's outcome (and the reply or failure that stopped it).
struct DeviceWordsEnd {
  CommandChain::Outcome outcome = CommandChain::Outcome::Completed;
  std::int32_t address = 0;
  std::string reply;
  TCommError error;
  bool Completed() const { return outcome == CommandChain::Outcome::Completed; }
};

// Reads the eighteen words on one line component. A reply must echo "kr",
// name the address asked for and carry a signed 32-bit whole number, or it
// is sent once more; the device's "er" refuses the read.
class DeviceWordsRead {
public:
  explicit DeviceWordsRead(TQL200Protocol& component);

  std::function<void(const DeviceWordsEnd& end)> Ended;

  void Start();
  void RequestCancel() { chain_->RequestCancel(); }
  bool Running() const { return chain_->Running(); }
  const DeviceWords& Words() const { return words_; }

private:
  TQL200Protocol& component_;
  std::unique_ptr<CommandChain> chain_;
  DeviceWords words_{};
};

// "kr 2041 -12\r\n" as the value of word `address`, or none when the reply
// is not that word's answer.
std::optional<std::int32_t> DeviceWordValue(const ResultBytes& reply, std::int32_t address);
