#pragma once

#include <string>

#include "comm/PortPaths.h"
#include "comm/RkComm.h"
#include "model/Global_var.h"

// "application.ini" beside the program: read once at start, written once
// when the main window closes. Port settings are stored by their position
// in the enumeration; yes/no values as 1 and 0.
constexpr const char* kConfigurationFileName = "application.ini";

// Reads every key with its default into the port, the unit number and the
// shared settings, and the [Poorten] section (COMn=device path) into paths.
// A missing or unreadable file changes nothing. Port numbers outside an
// enumeration leave that setting as it was.
void Configfile_lezen(const std::string& path, TRkComm& port, int& unitNumber, TGlobalVar& globals,
                      PortPaths& paths);

// Writes every key in the order of the table, keeping whatever else the
// file holds, through a temporary file renamed into place.
bool ProgrammaInstellingen_opslaan(const std::string& path, const TRkComm& port, int unitNumber,
                                   const TGlobalVar& globals, std::string* error = nullptr);
