#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/IniDocument.h"

constexpr int kParameterCount = 316;  // parameters 0 .. 315
constexpr int kSetpointCount = 24;    // setpoints 1 .. 24

// Where the values of a table came from.
enum ParameterSourceKind { psNone = 0, psDevice = 1, psFile = 2, psDefaults = 3 };

// The parameter last selected in the parameter editor, for the service
// window.
struct TSelectedParameter {
  std::string NumberText;  // "007"; empty when the selected row is empty
  std::string Name;
  std::string ValueText;
  std::string MinimumText;
  std::int32_t Minimum = 0;
  std::string MaximumText;
  std::int32_t Maximum = 0;
  std::string DefaultText;
};

// The application-wide state every window reads and writes: settings from
// the configuration file, the loaded text and catalogue documents, the
// device's identity and the two value tables. Used on the UI thread only.
struct TGlobalVar {
  std::string ProgramDir;  // folder of the program and every data file, ending in '/'
  std::string OpenCloseDialoogPath;
  std::string Firma, Type, Sn;
  int X_Div = 0, Y_Div = 0, BronItem = 0;
  bool X_hulplijn = false, Y_hulplijn = false;
  int Puntgrootte = 0;
  bool Lin_X_hulplijn = false, Lin_Y_hulplijn = false;
  bool LogTraffic = false;     // a transcript of every exchange, in TrafficFolder
  std::string TrafficFolder;  // empty: the user's documents

  int LanguageIndex = 0;
  bool LanguageLoaded = false;
  IniDocument LanguageTexts;
  bool CatalogueLoaded = false;
  IniDocument ParameterCatalogue;
  bool ParNoLoaded = false;
  IniDocument ParNoCatalogue;

  std::string DeviceType;  // first four characters of the type reply
  int IdentStep = 0;
  bool LiveValuesOn = false;
  bool IoOn = false;
  // A write reads back every value it wrote and lists each the device holds
  // otherwise ([Opties] ControleNaSchrijven).
  bool VerifyAfterWrite = false;

  std::array<std::int32_t, kParameterCount> ParameterTable{};
  std::array<std::int32_t, kSetpointCount + 1> SetpointTable{};  // index 1 .. 24; 0 unused
  int ParameterSource = psNone;
  int SetpointSource = psNone;
  TSelectedParameter SelectedParameter;
};

TGlobalVar& GlobalVar();

// The program's version number text, and the day it was built (YYYY-MM-DD).
extern const char* const VersionText;
extern const char* const BuildDate;
