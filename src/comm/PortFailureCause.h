#pragma once

#include <string>
#include <string_view>

// What most likely keeps a serial port from opening, said so that the user
// knows what to do: no permission (the "dialout" group), another program
// holding the port (ModemManager, a terminal program), or no device at the
// path. Empty when the error number gives no useful hint.
std::string PortFailureCause(int errorNumber);

// The same for a port exception, whose message is the system's text of
// the error number (the exception carries only that text).
std::string PortFailureCauseOfText(std::string_view systemText);
