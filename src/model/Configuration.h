#pragma once

#include <array>
#include <string>

#include "comm/PortPaths.h"
#include "comm/RkComm.h"
#include "model/Global_var.h"
#include "platform/IniDocument.h"

// "application.ini" beside the program: read once at start, written once
// when the main window closes. Port settings are stored by their position
// in the enumeration; yes/no values as 1 and 0.
constexpr const char* kConfigurationFileName = "application.ini";
// The settings file is small; anything larger is not one of ours.
constexpr std::size_t kConfigurationMaxSize = 1024 * 1024;

// Everything the file holds, as plain values. One key table (in the .cpp)
// names the section, key, default and field of each, for reading and
// writing alike.
struct ToolSettings {
  // Positions in TBaudrate, TDataBit, TParityBit, TStopBit, THardware,
  // TPortAddr, TPort, TPortType, TReceiveDriver, TTransmitDriver.
  int baudrate = 0, databit = 0, parity = 0, stopbit = 0, hardware = 0, portaddr = 0, portname = 0, porttype = 0,
      receivedrv = 0, transmitdrv = 0;
  int unitNo = 0;
  int taal = 0;
  bool snelleOverdracht = false;  // the port's fast replies
  std::string openCloseDialoogPath, firma, type, sn;
  int xDiv = 0, yDiv = 0, bronItem = 0;
  bool xHulplijn = false, yHulplijn = false;
  int puntgrootte = 0;
  bool linXHulplijn = false, linYHulplijn = false;
  bool logTraffic = false;
  std::string trafficFolder;  // empty: the user's documents
  bool controleNaSchrijven = false;
  // [Poorten]: the device path of COM1 .. COM16, empty for the default one.
  std::array<std::string, kPortCount> portPaths;
};

// What reading found; decides whether the file may be written at closing.
enum class SettingsFile {
  Missing,     // no file: nothing was read; the first close creates it
  Read,        // read; written back at closing
  Unreadable,  // exists but cannot be read (no permission, too large, not a file): never overwritten
};

struct SettingsReadResult {
  SettingsFile file = SettingsFile::Missing;
  ToolSettings settings;  // meaningful when file == Read
  std::string error;      // why an existing file could not be read
};

SettingsReadResult ReadSettingsFile(const std::string& path);
// The settings a document holds; a key that is missing or not a number
// gives its default.
ToolSettings SettingsFromDocument(const IniDocument& file);
// The settings with every key's default, as a file without keys gives them.
ToolSettings DefaultSettings();
// Writes every key in the order of the table (and the port mapping), keeping
// whatever else the file holds, through a temporary file renamed into
// place. A file that exists but is read-only is not replaced.
bool WriteSettingsFile(const std::string& path, const ToolSettings& settings, std::string* error = nullptr);

// The port keys in table order through the setters (so the hardware rules
// run as they would when set by hand), then the fast replies; a position
// outside its enumeration leaves that setting as it was.
void ApplyPortSettings(const ToolSettings& settings, TRkComm& port);
void ApplySharedSettings(const ToolSettings& settings, TGlobalVar& globals);
void ApplyPortPaths(const ToolSettings& settings, PortPaths& paths);
ToolSettings CollectSettings(const TRkComm& port, int unitNumber, const TGlobalVar& globals, const PortPaths& paths);

// Reads the file into the port, the unit number, the shared settings and
// the port mapping. A missing or unreadable file changes nothing.
SettingsReadResult Configfile_lezen(const std::string& path, TRkComm& port, int& unitNumber, TGlobalVar& globals,
                                    PortPaths& paths);
// Writes the current settings, unless reading found a file it could not
// read (that file is left as it is).
bool ProgrammaInstellingen_opslaan(const std::string& path, SettingsFile found, const TRkComm& port, int unitNumber,
                                   const TGlobalVar& globals, const PortPaths& paths, std::string* error = nullptr);
