// ports: the serial devices the system knows of, through libserialport.
#include <libserialport.h>

#include <cstdio>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"

namespace {

std::string Text(const char* text) { return text != nullptr ? text : ""; }

Json PortJson(sp_port* port) {
  Json entry{{"path", Text(sp_get_port_name(port))}, {"description", Text(sp_get_port_description(port))}};
  int vendor = 0, product = 0;
  std::string usb, serial;
  if (sp_get_port_transport(port) == SP_TRANSPORT_USB && sp_get_port_usb_vid_pid(port, &vendor, &product) == SP_OK) {
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04x:%04x", vendor & 0xffff, product & 0xffff);
    usb = ids;
    serial = Text(sp_get_port_usb_serial(port));
  }
  entry["usb"] = usb;
  entry["serial"] = serial;
  return entry;
}

}  // namespace

int RunPorts(const CliCall&, CliOutput& out) {
  sp_port** list = nullptr;
  if (sp_list_ports(&list) != SP_OK) {
    CliOutput::Message("cannot list the serial ports");
    return kPortFailure;
  }
  Json ports = Json::array();
  for (sp_port** p = list; *p != nullptr; ++p) ports.push_back(PortJson(*p));
  sp_free_port_list(list);
  for (const Json& p : ports) {
    std::string line = p["path"].get<std::string>() + "\t" + p["description"].get<std::string>();
    if (!p["usb"].get<std::string>().empty())
      line += "\tUSB " + p["usb"].get<std::string>() + "\tserial " + p["serial"].get<std::string>();
    out.Line(line);
  }
  out.AddUnit(Json{{"ports", ports}, {"status", kDone}});
  out.Finish(kDone, false);
  return kDone;
}
