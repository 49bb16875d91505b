// The serial devices of a Linux system, through libserialport.
#include <libserialport.h>

#include <cstdio>

#include "cli/PortList.h"

namespace {

std::string Text(const char* text) { return text != nullptr ? text : ""; }

ListedPort Listed(sp_port* port) {
  ListedPort listed{Text(sp_get_port_name(port)), Text(sp_get_port_description(port)), "", ""};
  int vendor = 0, product = 0;
  if (sp_get_port_transport(port) == SP_TRANSPORT_USB && sp_get_port_usb_vid_pid(port, &vendor, &product) == SP_OK) {
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04x:%04x", vendor & 0xffff, product & 0xffff);
    listed.usb = ids;
    listed.serial = Text(sp_get_port_usb_serial(port));
  }
  return listed;
}

}  // namespace

bool ListSerialPorts(std::vector<ListedPort>& ports) {
  sp_port** list = nullptr;
  if (sp_list_ports(&list) != SP_OK) return false;
  for (sp_port** p = list; *p != nullptr; ++p) ports.push_back(Listed(*p));
  sp_free_port_list(list);
  return true;
}
