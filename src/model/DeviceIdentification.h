#pragma once

#include <functional>
#include <string>

#include "comm/QL200Protocol.h"
#include "model/Global_var.h"

// Identifies the device when the port opens: selects the unit ("sc n"),
// then asks for its type ("rt") and two further texts ("rh", "rx"), one
// query per reply. The texts go to status panels 2, 3 and 4; the first four
// characters of the type become DeviceType.
//
// A reply that does not echo its query (a late reply to something else)
// stops the chain like a failed query: the later panels stay empty.
//
// How the chain ended, for a caller that waits for it (the windows do not).
struct IdentificationEnd {
  bool complete = false;  // all three texts arrived
  std::string command;    // otherwise: the command it stopped at,
  TCommError error;       // because its exchange failed, or (all zero) its reply did not echo it
};

class DeviceIdentification {
public:
  DeviceIdentification(TRkComm& port, TGlobalVar& globals);

  // Sends the unit selection; the chain follows from its reply.
  void Start(int unitNumber);

  static bool IsKnownDeviceType(const std::string& type);  // "VQ20" .. "VQ23"

  std::function<void()> OnUnitSelected;                           // the unit answered
  std::function<void(const TCommError&)> OnUnitSelectFailed;      // it did not
  std::function<void(int statusPanel, const std::string& text)> OnText;
  std::function<void()> OnForeignDevice;  // the type is none of the four
  std::function<void(const IdentificationEnd&)> OnEnded;

private:
  void UnitSelectReply(const ResultBytes& reply);
  void TypeInfoReply(const ResultBytes& reply);
  void End(IdentificationEnd end);

  TGlobalVar& globals_;
  TQL200Protocol unitSelect_;
  TQL200Protocol typeInfo_;
};
