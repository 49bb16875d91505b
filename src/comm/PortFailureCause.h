#pragma once

#include <string>
#include <string_view>

// What most likely keeps a serial port from opening, said so that the user
// knows what to do: no permission (the "dialout" group), another program
// holding the port (ModemManager, a terminal program), or no device at the
// path. Empty when the error number gives no useful hint.
std::string PortFailureCause(int errorNumber);

// The error number a hint exists for whose system text a port exception
// carries (the exception carries only that text), or 0.
int PortFailureErrorOfText(std::string_view systemText);

// The hint for such an exception's text.
std::string PortFailureCauseOfText(std::string_view systemText);
