#pragma once

#include <string>

// The folder of the running program, ending in its separator ('/', on
// Windows '\'), where its data files lie beside it; empty when the system
// cannot tell.
std::string ProgramFolder();
