#include "comm/HardwareRules.h"

bool HardwareAllows(THardware hardware, TPortType portType) {
  switch (hardware) {
    case THardware::Standard:
    case THardware::PhoenixPSM: return portType == TPortType::RS232C;
    case THardware::PCLabPCL745: return portType != TPortType::RS232C;
    case THardware::UserDefined: return true;
  }
  return true;
}

bool HardwareAllows(THardware hardware, TTransmitDriver driver) {
  switch (hardware) {
    case THardware::Standard: return driver == TTransmitDriver::tdNone;
    case THardware::PCLabPCL745: return driver == TTransmitDriver::tdRegister7to1;
    case THardware::PhoenixPSM: return driver == TTransmitDriver::tdDTRto0;
    case THardware::UserDefined: return true;
  }
  return true;
}

bool HardwareAllows(THardware hardware, TReceiveDriver driver) {
  switch (hardware) {
    case THardware::Standard:
    case THardware::PhoenixPSM: return driver == TReceiveDriver::rdNone;
    case THardware::PCLabPCL745: return driver == TReceiveDriver::rdRegister7to2;
    case THardware::UserDefined: return true;
  }
  return true;
}

HardwareSettings WithHardware(HardwareSettings settings, THardware hardware) {
  settings.hardware = hardware;
  switch (hardware) {
    case THardware::Standard:
    case THardware::PhoenixPSM:
      settings.portType = TPortType::RS232C;
      settings.transmitDriver =
          hardware == THardware::Standard ? TTransmitDriver::tdNone : TTransmitDriver::tdDTRto0;
      settings.receiveDriver = TReceiveDriver::rdNone;
      break;
    case THardware::PCLabPCL745:
      if (settings.portType == TPortType::RS232C) settings.portType = TPortType::RS485;
      settings.transmitDriver = TTransmitDriver::tdRegister7to1;
      settings.receiveDriver = TReceiveDriver::rdRegister7to2;
      break;
    case THardware::UserDefined: break;
  }
  return settings;
}

namespace {

// A value the shown hardware does not require makes the settings user defined.
template <typename Value>
HardwareSettings UserDefinedUnlessAllowed(HardwareSettings settings, Value value) {
  if (!HardwareAllows(settings.hardware, value)) settings.hardware = THardware::UserDefined;
  return settings;
}

}  // namespace

HardwareSettings WithPortType(HardwareSettings settings, TPortType portType) {
  settings.portType = portType;
  return UserDefinedUnlessAllowed(settings, portType);
}

HardwareSettings WithTransmitDriver(HardwareSettings settings, TTransmitDriver driver) {
  settings.transmitDriver = driver;
  return UserDefinedUnlessAllowed(settings, driver);
}

HardwareSettings WithReceiveDriver(HardwareSettings settings, TReceiveDriver driver) {
  settings.receiveDriver = driver;
  return UserDefinedUnlessAllowed(settings, driver);
}
