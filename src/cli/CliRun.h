#pragma once

#include <string>
#include <vector>

// Parses the arguments (without the program name), loads the settings file
// and the catalogue, runs the command and returns the exit status.
int RunCommandLine(const std::vector<std::string>& arguments);
