#pragma once

#include <memory>

#include "comm/PortPaths.h"
#include "comm/SerialApi.h"

// The serial back-end of the system the program was built for. On Linux:
// termios, each COM name opened where paths put it. On Windows: the
// system's own COM ports of that name (the mapping is a Linux matter and
// not used there).
std::shared_ptr<SerialBackend> MakeSystemSerialBackend(std::shared_ptr<const PortPaths> paths);
