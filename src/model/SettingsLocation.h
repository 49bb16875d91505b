#pragma once

#include <string>

#include "platform/FileSystem.h"

// Where application.ini is kept. A program run from a folder it may write
// (a build folder, a copy on a stick) keeps it beside itself. An installed
// program, whose folder belongs to the system, keeps each user's own copy
// in $XDG_CONFIG_HOME/vq2x/ (else ~/.config/vq2x/; on Windows
// %APPDATA%/vq2x/); the file beside the
// program, if there is one, is then the site default that the user's first
// run copies.
struct SettingsLocation {
  std::string path;           // the file to read at start and to write at closing
  bool besideProgram = true;  // false: the user's own copy
  std::string warning;        // why the site default was not taken over; empty when nothing went wrong
};

// programDir ends in '/'. Copies the site default when the user's copy does
// not exist yet (never over an existing one).
SettingsLocation LocateSettingsFile(const std::string& programDir, const EnvironmentLookup& environment);
// The same with the process's own environment.
SettingsLocation LocateSettingsFile(const std::string& programDir);
