#pragma once

#include "comm/RkTypes.h"

// The rules that keep a port's interface hardware, line standard and driver
// settings consistent, as pure functions, so that the port component and
// the windows that edit these settings apply them the same way:
//
//   hardware      port type        transmit driver   receive driver
//   Standard      RS232C           tdNone            rdNone
//   PCLabPCL745   RS422 or RS485   tdRegister7to1    rdRegister7to2
//   PhoenixPSM    RS232C           tdDTRto0          rdNone
//   UserDefined   any              any               any
//
// Choosing a hardware brings the other three to what it requires (an RS232C
// line becomes RS485 for the PCLab card; UserDefined changes nothing else).
// Choosing a port type or driver the shown hardware does not require turns
// the hardware to UserDefined and changes nothing else.
struct HardwareSettings {
  THardware hardware = THardware::Standard;
  TPortType portType = TPortType::RS232C;
  TTransmitDriver transmitDriver = TTransmitDriver::tdNone;
  TReceiveDriver receiveDriver = TReceiveDriver::rdNone;
  friend bool operator==(const HardwareSettings&, const HardwareSettings&) = default;
};

// Whether the hardware allows the value (UserDefined allows every value).
bool HardwareAllows(THardware hardware, TPortType portType);
bool HardwareAllows(THardware hardware, TTransmitDriver driver);
bool HardwareAllows(THardware hardware, TReceiveDriver driver);

HardwareSettings WithHardware(HardwareSettings settings, THardware hardware);
HardwareSettings WithPortType(HardwareSettings settings, TPortType portType);
HardwareSettings WithTransmitDriver(HardwareSettings settings, TTransmitDriver driver);
HardwareSettings WithReceiveDriver(HardwareSettings settings, TReceiveDriver driver);
