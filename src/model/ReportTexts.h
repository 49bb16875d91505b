#pragma once

#include <string>

// The texts of a commissioning report, from section "Rapport" of the
// language file; one key table gives each its key and built-in text.
struct ReportTexts {
  std::string title, readAt, program, port, line, unit, type, hardware, serial;
  std::string changed, noneChanged, otherParameters, position, number, name, value, defaultValue;
  std::string setpoints, setpoint, words, address, meaning;
  std::string linearisation, linearisationOff, point;
  std::string cams, noCams, cam, function, output, source, start, end;
  std::string backup, checksum, page;
};

constexpr const char* kReportSection = "Rapport";

// The built-in texts.
ReportTexts DefaultReportTexts();
// The loaded language file's texts (a missing key keeps its built-in
// text); the built-in texts while no language file is loaded.
ReportTexts ReportTextsOfLanguage();
