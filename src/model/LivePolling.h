#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "comm/QL200Protocol.h"
#include "model/Global_var.h"
#include "model/LiveValues.h"

// What a value panel shows for a reply: "?" when the reply does not echo
// the quantity's command (a late reply to another one), else its value as
// LiveValueText gives it.
std::string LiveReplyText(LiveQuantity quantity, const ResultBytes& reply,
                          const std::array<std::int32_t, kParameterCount>& parameters);
// The bit pattern of an input or output reply; none when it does not echo
// its command.
std::optional<int> BitsOfReply(const char* command, const ResultBytes& reply);

// The main window's polling of live values and of the inputs and outputs:
// one cyclic component per quantity, switched on and off as a group. What
// each reply shows is handed to the window as text or as bits.
//
// Every reply must echo its command; one that does not (a late reply to
// another command) shows "?" on a value panel and changes no box.
class LivePolling {
public:
  LivePolling(TRkComm& port, TGlobalVar& globals);

  // Live values: which quantities are polled is decided now, from the
  // parameters and the device type. Returns them in switch-on order.
  std::vector<LiveQuantity> SwitchLiveOn();
  void SwitchLiveOff();
  void SwitchIoOn();
  void SwitchIoOff();
  // The port closed: it has already ended every cycle.
  void PortClosed();

  std::function<void(LiveQuantity, const std::string& text)> OnValue;
  std::function<void(int bits)> OnInputs;
  std::function<void(int bits)> OnOutputs;
  std::function<void(const TCommError&)> OnInputFailure;  // the inputs' failures are shown; the outputs' are not

private:
  void ValueReply(LiveQuantity quantity, const ResultBytes& reply);
  void ValueFailure(LiveQuantity quantity, const TCommError& error);
  void BitsReply(const char* command, const ResultBytes& reply, const std::function<void(int)>& show);

  TGlobalVar& globals_;
  std::array<TQL200Protocol, kLiveQuantityCount> live_;
  TQL200Protocol inputs_;
  TQL200Protocol outputs_;
};
