// The settings file ("application.ini") as the program takes it in at
// start: into a port (through its setters and hardware rules), the shared
// state and the port mapping. Whatever the file says, the port's settings
// stay inside their enumerations.
#include "FuzzInput.h"
#include "comm/MainThreadInvoker.h"
#include "comm/PosixSerialPort.h"
#include "model/Configuration.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ToolSettings settings = SettingsFromDocument(IniDocument::FromText(InputText(data, size)));
  ManualInvoker invoker;
  auto paths = std::make_shared<PortPaths>();
  TRkComm port(invoker, std::make_shared<PosixSerialBackend>(paths));
  ApplyPortSettings(settings, port);
  ApplyPortPaths(settings, *paths);
  TGlobalVar globals;
  ApplySharedSettings(settings, globals);
  const ToolSettings collected = CollectSettings(port, settings.unitNo, globals, *paths);
  Require(collected.baudrate >= 0 && collected.parity >= 0 && collected.portname >= 0 && collected.hardware >= 0);
  return 0;
}
