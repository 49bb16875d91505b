// ports: the serial devices the system knows of.
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/PortList.h"

int RunPorts(const CliCall&, CliOutput& out) {
  std::vector<ListedPort> listed;
  if (!ListSerialPorts(listed)) {
    CliOutput::Message("cannot list the serial ports");
    return kPortFailure;
  }
  Json ports = Json::array();
  for (const ListedPort& p : listed) {
    ports.push_back(Json{{"path", p.path}, {"description", p.description}, {"usb", p.usb}, {"serial", p.serial}});
    std::string line = p.path + "\t" + p.description;
    if (!p.usb.empty()) line += "\tUSB " + p.usb + "\tserial " + p.serial;
    out.Line(line);
  }
  out.AddUnit(Json{{"ports", ports}, {"status", kDone}});
  out.Finish(kDone, false);
  return kDone;
}
