// Checks of the shipped language files Taal0.ini (Dutch), Taal1.ini (English)
// and Taal2.ini (German).
//
// The tables below list, window by window, every text the tool looks up in a
// language file. They are written out by hand from the windows' text lists on
// purpose: the files are checked against an independent list, so a key that
// is missing, misspelt or only present in one language shows up here before a
// window falls back to its built-in default.

#include "platform/CommaList.h"
#include "platform/IniDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct TextKey {
  std::string_view section;
  std::string_view key;
};

// Every (section, key) the windows read. Section and key names match without
// regard to case, so "EditSollWert" (used by the setpoint printout) is the
// same section as "EditSollwert".
const std::vector<TextKey>& AllTextKeys() {
  static const std::vector<TextKey> keys = {
      // Main window, its menus and its messages.
      {"Main", "GroepIngangen"}, {"Main", "GroepUitgangen"}, {"Main", "Groep_ANA_IN"},
      {"Main", "Groep_ANA_UIT"}, {"Main", "GroepActual"}, {"Main", "LabelActualPositie"},
      {"Main", "LabelActualSnelheid"}, {"Main", "LabelActualSpanning"}, {"Main", "LabelActualStroom"},
      {"Main", "LabelActualLinPos"}, {"Main", "LabelActualPeakHold1"}, {"Main", "LabelActualPeakHold2"},
      {"Main", "CmdIO_ON"}, {"Main", "CmdIO_OFF"}, {"Main", "CmdActual_ON"}, {"Main", "CmdActual_OFF"},
      {"Main", "CmdComOpen"}, {"Main", "CmdComClose"}, {"Main", "CmdTerminalZenden"},
      {"Main", "CmdResetError"}, {"Main", "PanelTekst0"}, {"Main", "PanelTekst1"},
      {"Main", "menuBestand"}, {"Main", "subAfsluiten"}, {"Main", "menuEdit"}, {"Main", "subParameters"},
      {"Main", "subSollwerten"}, {"Main", "menuInstellingen"}, {"Main", "subInitCom"},
      {"Main", "subOpties"}, {"Main", "menuCommunicatie"}, {"Main", "subParSoll"}, {"Main", "subBackup"},
      {"Main", "subRestore"}, {"Main", "subRapport"}, {"Main", "subZoeken"}, {"Main", "menuVenster"}, {"Main", "subNokkenInfo"},
      {"Main", "subGrafiek"}, {"Main", "subLinearisatie"}, {"Main", "menuHelp"}, {"Main", "subInfo"},
      {"Main", "subErrorNummers"}, {"Main", "Msg_waarschuwingCaption"}, {"Main", "Msg_Melding_Geen_VQ2X"},
      {"Main", "PortCauseAccess"}, {"Main", "PortCauseBusy"}, {"Main", "PortCauseMissing"},
      {"Main", "SettingsNotRead"}, {"Main", "SettingsKept"}, {"Main", "StatusSnel"},

      // Backup and restore.
      {"BackupRestore", "SaveCaption"}, {"BackupRestore", "OpenCaption"}, {"BackupRestore", "OpenFilter"},
      {"BackupRestore", "OpenMsg2"}, {"BackupRestore", "OpenMsg3"}, {"BackupRestore", "Msg_waarschuwingCaption"},
      {"BackupRestore", "Msg_waarschuwingRestore_1"}, {"BackupRestore", "Msg_waarschuwingRestore_2"},
      {"BackupRestore", "Msg_EenheidBestand"}, {"BackupRestore", "Msg_EenheidApparaat"},
      {"BackupRestore", "Msg_BehoudEenheid"},

      // Options window.
      {"Opties", "Caption"}, {"Opties", "RegAlgemeen"}, {"Opties", "TaalLabel"}, {"Opties", "TaalItems"},
      {"Opties", "CmdOK"}, {"Opties", "CmdCancel"}, {"Opties", "SnelleOverdracht"},
      {"Opties", "SnelleOverdrachtUitleg"},
      {"Opties", "GroepVerkeer"}, {"Opties", "LogVerkeer"}, {"Opties", "LogMap"}, {"Opties", "LogMapKiezen"},
      {"Opties", "ControleLabel"},

      // Serial settings window.
      {"InitCom", "Caption"}, {"InitCom", "RegInterface"}, {"InitCom", "RegExtended"},
      {"InitCom", "CmdOK"}, {"InitCom", "CmdCancel"},
      {"InitCom", "PortLabel"}, {"InitCom", "PortItems"}, {"InitCom", "IOLabel"}, {"InitCom", "IOItems"},
      {"InitCom", "BaudLabel"}, {"InitCom", "BaudItems"}, {"InitCom", "DatabitLabel"},
      {"InitCom", "DataBitItems"}, {"InitCom", "ParityLabel"}, {"InitCom", "ParityItems"},
      {"InitCom", "StopbitLabel"}, {"InitCom", "StopbitItems"}, {"InitCom", "HardwareLabel"},
      {"InitCom", "HardwareItems"}, {"InitCom", "PortTypeLabel"}, {"InitCom", "PortTypeItems"},
      {"InitCom", "ReceiverLabel"}, {"InitCom", "ReceiverItems"}, {"InitCom", "TransmitterLabel"},
      {"InitCom", "TransmitterItems"}, {"InitCom", "DeviceGroup"}, {"InitCom", "DevicePathLabel"},
      {"InitCom", "CmdRefreshDevices"}, {"InitCom", "DeviceMissing"}, {"InitCom", "DeviceKnownNothing"},
      {"InitCom", "DevicePseudoTerminal"}, {"InitCom", "DeviceNotListed"}, {"InitCom", "DeviceSerialNumber"},

      // About and error-number help.
      {"About", "Caption"}, {"About", "Handelsmerk"}, {"About", "SoftwareVersie"},
      {"About", "Gebouwd"}, {"About", "Licentie"}, {"About", "Documentatie"},
      {"HelpErrorNummers", "Caption"},

      // Device search (the section name is spelt this way).
      {"AparaatZoeken", "Caption"}, {"AparaatZoeken", "CmdOK"}, {"AparaatZoeken", "CmdVerder"},
      {"AparaatZoeken", "CmdStart"}, {"AparaatZoeken", "CmdStop"}, {"AparaatZoeken", "CmdCancel"},
      {"AparaatZoeken", "LabelStartenMet"}, {"AparaatZoeken", "KolomTekst0"},
      {"AparaatZoeken", "KolomTekst1"}, {"AparaatZoeken", "KolomTekst2"}, {"AparaatZoeken", "KolomTekst3"},
      {"AparaatZoeken", "KolomTekst4"}, {"AparaatZoeken", "GroepParity"}, {"AparaatZoeken", "GroepStopBits"},
      {"AparaatZoeken", "RadioAlsCom"}, {"AparaatZoeken", "RadioAutoSelect"},
      {"AparaatZoeken", "PanelTekst0"}, {"AparaatZoeken", "PanelTekst1"}, {"AparaatZoeken", "PanelTekst2"},
      {"AparaatZoeken", "PanelTekst3"},

      // Read window.
      {"LeesParSoll", "CaptionMode0"}, {"LeesParSoll", "CaptionMode1"}, {"LeesParSoll", "CaptionMode2"},
      {"LeesParSoll", "CaptionMode3"}, {"LeesParSoll", "CmdOK"}, {"LeesParSoll", "CmdAgain"},
      {"LeesParSoll", "CmdCancel"}, {"LeesParSoll", "PanelTekst0"}, {"LeesParSoll", "PanelTekst1"},
      {"LeesParSoll", "PanelTekst2"}, {"LeesParSoll", "PanelTekst3"}, {"LeesParSoll", "PanelTekst4"},
      {"LeesParSoll", "PanelTekst5"}, {"LeesParSoll", "PanelTekst6"}, {"LeesParSoll", "PanelTekst7"},

      // Write window.
      {"SchrijfParSoll", "CaptionMode0"}, {"SchrijfParSoll", "CaptionMode1"},
      {"SchrijfParSoll", "CaptionMode2"}, {"SchrijfParSoll", "CaptionMode3"}, {"SchrijfParSoll", "CmdOK"},
      {"SchrijfParSoll", "CmdAgain"}, {"SchrijfParSoll", "CmdCancel"}, {"SchrijfParSoll", "PanelTekst0"},
      {"SchrijfParSoll", "PanelTekst1"}, {"SchrijfParSoll", "PanelTekst2"}, {"SchrijfParSoll", "PanelTekst3"},
      {"SchrijfParSoll", "PanelTekst4"}, {"SchrijfParSoll", "PanelTekst5"}, {"SchrijfParSoll", "PanelTekst6"},
      {"SchrijfParSoll", "PanelTekst7"}, {"SchrijfParSoll", "PanelTekst8"}, {"SchrijfParSoll", "PanelTekst9"},
      {"SchrijfParSoll", "PanelTekst10"}, {"SchrijfParSoll", "PanelTekst11"}, {"SchrijfParSoll", "PanelTekst12"},
      {"SchrijfParSoll", "PanelTekst13"}, {"SchrijfParSoll", "PanelTekst14"}, {"SchrijfParSoll", "KolomNr"},
      {"SchrijfParSoll", "KolomNaam"}, {"SchrijfParSoll", "KolomGeschreven"}, {"SchrijfParSoll", "KolomApparaat"},

      // Parameter editor; its column titles also head the parameter printout.
      {"EditParam", "Caption"}, {"EditParam", "KolomTekst0"}, {"EditParam", "KolomTekst1"},
      {"EditParam", "KolomTekst2"}, {"EditParam", "KolomTekst3"}, {"EditParam", "KolomTekst4"},
      {"EditParam", "min"}, {"EditParam", "max"}, {"EditParam", "default"}, {"EditParam", "CmdClear"},
      {"EditParam", "menuBestand"}, {"EditParam", "subOpenen"}, {"EditParam", "subOpslaanAls"},
      {"EditParam", "subLaadDefault"}, {"EditParam", "subAfdrukken"}, {"EditParam", "subAfsluiten"},
      {"EditParam", "menuZendenOntvangen"}, {"EditParam", "subParOntvangen"}, {"EditParam", "subParZenden"},
      {"EditParam", "subLoader"}, {"EditParam", "menuVenster"}, {"EditParam", "subNokkenInfo"},
      {"EditParam", "subLinearisatie"}, {"EditParam", "menuHelp"}, {"EditParam", "subErrorNummers"},
      {"EditParam", "Msg_ErrorCaption"}, {"EditParam", "Msg_InfoCaption"},
      {"EditParam", "Msg_waarschuwingCaption"}, {"EditParam", "OpenCaption"}, {"EditParam", "SaveCaption"},
      {"EditParam", "OpenFilter"}, {"EditParam", "OpenMsg1"}, {"EditParam", "OpenMsg2"},
      {"EditParam", "OpenMsg3"}, {"EditParam", "OpenMsg4"}, {"EditParam", "msg_ErrorSetDefaultPar"},
      {"EditParam", "msg_DefaultParGeladen"}, {"EditParam", "ZendMsg_1"}, {"EditParam", "ZendMsg_2"},
      {"EditParam", "ZendMsg_3"}, {"EditParam", "ZendMsg_4"}, {"EditParam", "ZendMsg_5"},
      {"EditParam", "ZendMsg_6"}, {"EditParam", "Msg_ParGezondenEnNietGeladen"},
      {"EditParam", "CheckGewijzigd"}, {"EditParam", "subVergelijken"},

      // Compare window.
      {"Vergelijken", "Caption"}, {"Vergelijken", "LabelBron"}, {"Vergelijken", "BronItems"},
      {"Vergelijken", "CmdSluiten"}, {"Vergelijken", "CmdVergelijk"}, {"Vergelijken", "CheckAlleenVerschillen"},
      {"Vergelijken", "CmdOvernemen"}, {"Vergelijken", "CmdZenden"}, {"Vergelijken", "KolomPos"},
      {"Vergelijken", "KolomNr"}, {"Vergelijken", "KolomNaam"}, {"Vergelijken", "KolomEditor"},
      {"Vergelijken", "KolomBron"}, {"Vergelijken", "TekstVergeleken"},
      {"Vergelijken", "TekstVerschillend"}, {"Vergelijken", "TekstGelijk"}, {"Vergelijken", "Msg_EenheidBron"},
      {"Vergelijken", "Msg_EenheidEditor"}, {"Vergelijken", "Msg_AnderType"}, {"Vergelijken", "Msg_BuitenGrenzen"},
      {"Vergelijken", "OpenCaption"}, {"Vergelijken", "OpenFilter"},

      // Setpoint editor; its column titles also head the setpoint printout.
      {"EditSollwert", "Caption"}, {"EditSollwert", "Kolomtekst_no"}, {"EditSollwert", "Kolomtekst_waarde"},
      {"EditSollwert", "menuBestand"}, {"EditSollwert", "subOpenen"}, {"EditSollwert", "subOpslaanAls"},
      {"EditSollwert", "subAfdrukken"}, {"EditSollwert", "subAfsluiten"},
      {"EditSollwert", "menuZendenOntvangen"}, {"EditSollwert", "subParOntvangen"},
      {"EditSollwert", "subParZenden"}, {"EditSollwert", "Msg_SollwertOngeldig"},
      {"EditSollwert", "Msg_ErrorCaption"}, {"EditSollwert", "OpenCaption"}, {"EditSollwert", "SaveCaption"},
      {"EditSollwert", "OpenFilter"}, {"EditSollwert", "OpenMsg1"}, {"EditSollwert", "OpenMsg2"},
      {"EditSollwert", "OpenMsg3"}, {"EditSollwert", "OpenMsg4"}, {"EditSollwert", "Msg_waarschuwingCaption"},
      {"EditSollwert", "ZendMsg_10"}, {"EditSollwert", "ZendMsg_20"}, {"EditSollwert", "ZendMsg_30"},
      {"EditSollwert", "ZendMsg_40"}, {"EditSollwert", "ZendMsg_50"},

      // Service parameter window.
      {"ParamService", "LabelMin"}, {"ParamService", "LabelMax"}, {"ParamService", "LabelDefault"},
      {"ParamService", "LabelParData"}, {"ParamService", "CmdOK"}, {"ParamService", "CmdDefault"},
      {"ParamService", "CmdZenden"}, {"ParamService", "CmdCancel"}, {"ParamService", "PanelTekst0"},
      {"ParamService", "PanelTekst1"}, {"ParamService", "PanelTekst2"}, {"ParamService", "PanelTekst3"},
      {"ParamService", "PanelTekst4"}, {"ParamService", "PanelTekst5"}, {"ParamService", "PanelTekst6"},
      {"ParamService", "PanelTekst7"}, {"ParamService", "PanelTekst8"}, {"ParamService", "PanelTekst9"},
      {"ParamService", "PanelTekst10"}, {"ParamService", "PanelTekstGeenKeuze"},
      {"ParamService", "PanelTekstGeenGetal"},

      // Parameter loader (it uses no PanelTekst1 and no PanelTekst3).
      {"Loader", "Caption"}, {"Loader", "CmdOK"}, {"Loader", "PanelTekst0"}, {"Loader", "PanelTekst2"},
      {"Loader", "PanelTekst4"}, {"Loader", "PanelTekst5"}, {"Loader", "PanelTekst6"},

      // Live log graph.
      {"Grafiek", "CaptionGrafiek"}, {"Grafiek", "LabelBuffer"}, {"Grafiek", "LabelAutoscroll"},
      {"Grafiek", "LabelHulplijnenXas"}, {"Grafiek", "LabelHulplijnenYas"}, {"Grafiek", "CmdStartLog"},
      {"Grafiek", "CmdStopLog"}, {"Grafiek", "GroepXas"}, {"Grafiek", "GroepYas"}, {"Grafiek", "LabelBron"},
      {"Grafiek", "optiesBron"}, {"Grafiek", "PanelTekst0"}, {"Grafiek", "PanelTekst1"},
      {"Grafiek", "PanelTekst2"}, {"Grafiek", "PanelTekst3"}, {"Grafiek", "PanelTekst4"},
      {"Grafiek", "CmdExport"}, {"Grafiek", "ExportCaption"}, {"Grafiek", "ExportMsg"},

      // Linearisation curve.
      {"Linearisatie", "CaptionLinearisatie"}, {"Linearisatie", "GroepXas"}, {"Linearisatie", "GroepYas"},
      {"Linearisatie", "CaptionGrafiekPunt"}, {"Linearisatie", "CaptionPuntGrootte"},
      {"Linearisatie", "LabelHulplijnenXas"}, {"Linearisatie", "LabelHulplijnenYas"},
      {"Linearisatie", "PointCountOutOfRange"},
      {"Linearisatie", "GroepLin"}, {"Linearisatie", "CaptionEditX"}, {"Linearisatie", "CaptionEditY"},

      // Cam overview ("LabelFuncte" and "LAbelHysteresis" are spelt this way).
      {"DisplayNokken", "Caption"}, {"DisplayNokken", "RijTekst"}, {"DisplayNokken", "LabelNokNo"},
      {"DisplayNokken", "LabelFuncte"}, {"DisplayNokken", "LabelBron"}, {"DisplayNokken", "LabelAanvang"},
      {"DisplayNokken", "LabelEinde"}, {"DisplayNokken", "LAbelHysteresis"},
      {"DisplayNokken", "LabelVervroeging"}, {"DisplayNokken", "LabelSchakeltijd"},
      {"DisplayNokken", "LabelColor1"}, {"DisplayNokken", "LabelColor2"}, {"DisplayNokken", "LabelColor3"},
      {"DisplayNokken", "LabelColor4"}, {"DisplayNokken", "LabelColor5"},

      // Printouts, and the print warnings of both editors.
      {"Afdrukken", "CaptionPar"}, {"Afdrukken", "CaptionSoll"}, {"Afdrukken", "LabelFirma"},
      {"Afdrukken", "LabelType"}, {"Afdrukken", "LabelSn"}, {"Afdrukken", "CmdOK"},
      {"Afdrukken", "CmdCancel"}, {"Afdrukken", "TekstPagina"}, {"Afdrukken", "NaamSoll"},
      {"Afdrukken", "Msg_waarschuwingCaption"}, {"Afdrukken", "AfdrukMsg_1"}, {"Afdrukken", "AfdrukMsg_2"},
      {"Afdrukken", "AfdrukMsg_3"}, {"Afdrukken", "AfdrukMsg_4"}, {"Afdrukken", "AfdrukMsg_5"},
      {"Afdrukken", "AfdrukMsg_6"}, {"Afdrukken", "AfdrukMsg_10"}, {"Afdrukken", "AfdrukMsg_20"},
      {"Afdrukken", "AfdrukMsg_30"}, {"Afdrukken", "AfdrukMsg_40"}, {"Afdrukken", "AfdrukMsg_50"},

      // Commissioning report: its texts and the main window's dialogs for it.
      {"Rapport", "Titel"}, {"Rapport", "Gelezen"}, {"Rapport", "Programma"}, {"Rapport", "Poort"},
      {"Rapport", "Lijn"}, {"Rapport", "Unit"}, {"Rapport", "Type"}, {"Rapport", "Hardware"},
      {"Rapport", "Serie"}, {"Rapport", "Gewijzigd"}, {"Rapport", "GeenGewijzigd"}, {"Rapport", "Overig"},
      {"Rapport", "KolomPositie"}, {"Rapport", "KolomNummer"}, {"Rapport", "KolomNaam"},
      {"Rapport", "KolomWaarde"}, {"Rapport", "KolomStandaard"}, {"Rapport", "Sollwerten"},
      {"Rapport", "KolomSollwert"}, {"Rapport", "Calibratie"}, {"Rapport", "KolomAdres"},
      {"Rapport", "KolomBetekenis"}, {"Rapport", "Linearisatie"}, {"Rapport", "LinearisatieUit"},
      {"Rapport", "KolomPunt"}, {"Rapport", "Nokken"}, {"Rapport", "GeenNokken"}, {"Rapport", "KolomNok"},
      {"Rapport", "KolomFunctie"}, {"Rapport", "KolomUitgang"}, {"Rapport", "KolomBron"},
      {"Rapport", "KolomAanvang"}, {"Rapport", "KolomEinde"}, {"Rapport", "Backup"},
      {"Rapport", "Controlegetal"}, {"Rapport", "Pagina"}, {"Rapport", "SaveCaption"}, {"Rapport", "Filter"},
      {"Rapport", "WoordenNietGelezen"}, {"Rapport", "AfdrukkenVraag"},
  };
  return keys;
}

// The window sections of the tool, one per window.
const std::vector<std::string_view> kWindowSections = {
    "Main",        "Opties",       "InitCom",      "About",        "HelpErrorNummers", "BackupRestore",
    "LeesParSoll", "SchrijfParSoll", "EditParam",  "EditSollwert", "ParamService",     "Loader",
    "AparaatZoeken", "DisplayNokken", "Grafiek",   "Linearisatie", "Afdrukken",        "Rapport",
    "AparaatZoeken", "DisplayNokken", "Grafiek",   "Linearisatie", "Afdrukken",        "Vergelijken",
};

// List values: the drop-down or source list they fill has exactly this many
// entries, one per position the window maps to a setting.
struct ListKey {
  std::string_view section;
  std::string_view key;
  std::size_t items;
};

const std::vector<ListKey> kListKeys = {
    {"Opties", "TaalItems", 3},         // Dutch, English, German
    {"InitCom", "PortItems", 16},       // COM1 .. COM16
    {"InitCom", "IOItems", 4},          // 03F8, 02F8, 03E8, 02E8
    {"InitCom", "BaudItems", 6},        // 9600 .. 115200
    {"InitCom", "DataBitItems", 2},     // 7, 8
    {"InitCom", "ParityItems", 3},      // none, even, odd
    {"InitCom", "StopbitItems", 2},     // 1, 2
    {"InitCom", "HardwareItems", 4},    // standard, PCL-745, PSM, user defined
    {"InitCom", "PortTypeItems", 3},    // RS232C, RS422, RS485
    {"InitCom", "ReceiverItems", 2},    // none, register 7 to 2
    {"InitCom", "TransmitterItems", 4}, // none, register 7 to 1, RTS to 1, DTR to 0
    {"Grafiek", "optiesBron", 9},       // r0, r1, r8, r2, r3, r4, r5, ra, rb
    {"Vergelijken", "BronItems", 3},    // the device, a file, the defaults
};

// Lists whose entries name the same thing in every language; the window maps
// entry positions to port settings, so the order is fixed as well.
struct FixedList {
  std::string_view section;
  std::string_view key;
  std::vector<std::string> items;
};

const std::vector<FixedList>& FixedLists() {
  static const std::vector<FixedList> lists = {
      {"InitCom", "PortItems", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10",
                                "COM11", "COM12", "COM13", "COM14", "COM15", "COM16"}},
      {"InitCom", "IOItems", {"03F8h", "02F8h", "03E8h", "02E8h"}},
      {"InitCom", "BaudItems", {"9600", "19200", "28800", "38400", "57600", "115200"}},
      {"InitCom", "DataBitItems", {"7", "8"}},
      {"InitCom", "StopbitItems", {"1", "2"}},
      {"InitCom", "PortTypeItems", {"RS232C", "RS422", "RS485"}},
  };
  return lists;
}

// File dialog filters: "description|pattern", the pattern offering the
// window's own file type.
struct FileFilter {
  std::string_view section;
  std::string_view key;
  std::string_view pattern;
};

const std::vector<FileFilter> kFileFilters = {
    {"BackupRestore", "OpenFilter", "*.bak"},
    {"EditParam", "OpenFilter", "*.vqp"},
    {"EditSollwert", "OpenFilter", "*.vqs"},
    {"Rapport", "Filter", "*.pdf"},
    {"Vergelijken", "OpenFilter", "*.vqp;*.bak"},
};

// Column titles of the fixed-pitch printouts: a longer title pushes the
// columns of its header line out of line with the value lines below it.
struct ColumnTitle {
  std::string_view section;
  std::string_view key;
  std::size_t maxCharacters;
};

const std::vector<ColumnTitle> kPrintoutColumnTitles = {
    {"EditParam", "KolomTekst0", 6},   {"EditParam", "KolomTekst1", 3},  {"EditParam", "KolomTekst2", 38},
    {"EditParam", "KolomTekst3", 11},  {"EditParam", "KolomTekst4", 18},
    {"EditSollWert", "Kolomtekst_no", 6}, {"EditSollWert", "Kolomtekst_waarde", 12},
};

struct LanguageFile {
  const char* fileName;
  const char* language;
};

// Failure messages name the file instead of dumping the parameter's bytes.
[[maybe_unused]] void PrintTo(const LanguageFile& file, std::ostream* out) { *out << file.fileName; }

const LanguageFile kLanguageFiles[] = {
    {"Taal0.ini", "Dutch"},
    {"Taal1.ini", "English"},
    {"Taal2.ini", "German"},
};

std::string DataPath(const char* fileName) { return std::string(VQ2X_DATA_DIR) + "/" + fileName; }

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Where(std::string_view section, std::string_view key) {
  return "[" + std::string(section) + "] " + std::string(key);
}

// Length of the UTF-8 sequence that starts with lead byte c and the allowed
// range of its second byte; 0 for a byte that cannot start a sequence.
struct Utf8Lead {
  int length = 0;
  unsigned char secondMin = 0x80;
  unsigned char secondMax = 0xBF;
};

Utf8Lead ClassifyLead(unsigned char c) {
  if (c < 0x80) return {1, 0, 0};
  if (c >= 0xC2 && c <= 0xDF) return {2, 0x80, 0xBF};
  if (c == 0xE0) return {3, 0xA0, 0xBF};  // no overlong forms
  if (c == 0xED) return {3, 0x80, 0x9F};  // no surrogates
  if (c >= 0xE1 && c <= 0xEF) return {3, 0x80, 0xBF};
  if (c == 0xF0) return {4, 0x90, 0xBF};
  if (c >= 0xF1 && c <= 0xF3) return {4, 0x80, 0xBF};
  if (c == 0xF4) return {4, 0x80, 0x8F};  // nothing above U+10FFFF
  return {};
}

// Offset of the first byte that breaks UTF-8, or no value for valid text.
std::optional<std::size_t> FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const Utf8Lead lead = ClassifyLead(static_cast<unsigned char>(text[i]));
    if (lead.length == 0 || i + static_cast<std::size_t>(lead.length) > text.size()) return i;
    for (int k = 1; k < lead.length; ++k) {
      const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      const unsigned char low = k == 1 ? lead.secondMin : 0x80;
      const unsigned char high = k == 1 ? lead.secondMax : 0xBF;
      if (c < low || c > high) return i;
    }
    i += static_cast<std::size_t>(lead.length);
  }
  return std::nullopt;
}

// Characters (code points) of valid UTF-8 text.
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A leftover of a built-in default such as "tekst 3" (or its English form).
bool LooksLikePlaceholder(const std::string& value) {
  static const std::regex placeholder(R"((^|[^A-Za-z])(tekst|text)\s*[0-9]+)", std::regex::icase);
  return std::regex_search(value, placeholder);
}

// printf-style conversions ("%s", "%2.2d", "%%" ...) in their order.
std::vector<std::string> PrintfPlaceholders(const std::string& value) {
  static const std::regex conversion(R"(%[-+ #0]*(\*|[0-9]+)?(\.(\*|[0-9]+))?(hh|h|ll|l|L|z|j|t)?[diouxXeEfFgGaAcspn%])");
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(value.begin(), value.end(), conversion); it != std::sregex_iterator(); ++it)
    found.push_back(it->str());
  return found;
}

bool IsKnownKey(std::string_view section, std::string_view key) {
  return std::any_of(AllTextKeys().begin(), AllTextKeys().end(), [&](const TextKey& known) {
    return EqualsNoCase(known.section, section) && EqualsNoCase(known.key, key);
  });
}

bool IsKnownSection(std::string_view section) {
  return std::any_of(AllTextKeys().begin(), AllTextKeys().end(),
                     [&](const TextKey& known) { return EqualsNoCase(known.section, section); });
}

// Lower-case key names per lower-case section name.
using KeySets = std::map<std::string, std::set<std::string>>;

KeySets KeysPerSection(const IniDocument& doc) {
  KeySets sets;
  for (const std::string& section : doc.Sections()) {
    auto& keys = sets[AsciiLower(section)];
    for (const std::string& key : doc.Keys(section)) keys.insert(AsciiLower(key));
  }
  return sets;
}

IniDocument LoadOrFail(const char* fileName) {
  std::string error;
  const std::optional<IniDocument> doc = IniDocument::LoadFile(DataPath(fileName), &error);
  if (!doc) {
    ADD_FAILURE() << fileName << " cannot be loaded: " << error;
    return {};
  }
  return *doc;
}

// ---------------------------------------------------------------------------
// The tables themselves.

TEST(LanguageKeyTable, CoversEveryWindowSection) {
  for (std::string_view section : kWindowSections) EXPECT_TRUE(IsKnownSection(section)) << section;
  for (const TextKey& entry : AllTextKeys())
    EXPECT_TRUE(std::any_of(kWindowSections.begin(), kWindowSections.end(),
                            [&](std::string_view s) { return EqualsNoCase(s, entry.section); }))
        << Where(entry.section, entry.key) << " is not in a window section";
}

TEST(LanguageKeyTable, NamesEachKeyOnce) {
  std::set<std::string> seen;
  for (const TextKey& entry : AllTextKeys())
    EXPECT_TRUE(seen.insert(AsciiLower(entry.section) + "/" + AsciiLower(entry.key)).second)
        << Where(entry.section, entry.key) << " is listed twice";
}

TEST(LanguageKeyTable, ListsAndFiltersAreKeysOfTheTable) {
  for (const ListKey& list : kListKeys) EXPECT_TRUE(IsKnownKey(list.section, list.key)) << list.key;
  for (const FixedList& list : FixedLists()) EXPECT_TRUE(IsKnownKey(list.section, list.key)) << list.key;
  for (const FileFilter& filter : kFileFilters) EXPECT_TRUE(IsKnownKey(filter.section, filter.key)) << filter.key;
  for (const ColumnTitle& title : kPrintoutColumnTitles)
    EXPECT_TRUE(IsKnownKey(title.section, title.key)) << title.key;
}

// ---------------------------------------------------------------------------
// Each language file on its own.

class LanguageFileTest : public ::testing::TestWithParam<LanguageFile> {
protected:
  void SetUp() override { doc_ = LoadOrFail(GetParam().fileName); }

  // The value of a key, or an empty text when it is missing.
  std::string Value(std::string_view section, std::string_view key) const {
    return doc_.Find(section, key).value_or(std::string());
  }

  IniDocument doc_;
};

TEST_P(LanguageFileTest, IsUtf8WithoutBomAndWithLineFeedLineEnds) {
  const std::optional<std::string> bytes = ReadBytes(DataPath(GetParam().fileName));
  ASSERT_TRUE(bytes.has_value()) << GetParam().fileName << " cannot be read";
  ASSERT_FALSE(bytes->empty());
  EXPECT_FALSE(bytes->starts_with("\xEF\xBB\xBF")) << "the file starts with a byte order mark";
  EXPECT_EQ(bytes->find('\r'), std::string::npos) << "the file holds a carriage return";
  EXPECT_EQ(bytes->back(), '\n') << "the last line has no line feed";
  const std::optional<std::size_t> invalid = FirstInvalidUtf8(*bytes);
  EXPECT_FALSE(invalid.has_value()) << "invalid UTF-8 at byte " << invalid.value_or(0);
}

TEST_P(LanguageFileTest, HasEveryKeyWithAText) {
  for (const TextKey& entry : AllTextKeys()) {
    const std::optional<std::string> value = doc_.Find(entry.section, entry.key);
    if (!value)
      ADD_FAILURE() << Where(entry.section, entry.key) << " is missing";
    else
      EXPECT_FALSE(value->empty()) << Where(entry.section, entry.key) << " is empty";
  }
}

TEST_P(LanguageFileTest, HoldsNoPlaceholderTexts) {
  for (const std::string& section : doc_.Sections())
    for (const std::string& key : doc_.Keys(section)) {
      const std::string value = Value(section, key);
      EXPECT_FALSE(LooksLikePlaceholder(value)) << Where(section, key) << " = " << value;
    }
}

TEST_P(LanguageFileTest, HoldsOnlyKeysTheToolReads) {
  for (const std::string& section : doc_.Sections()) {
    EXPECT_TRUE(IsKnownSection(section)) << "[" << section << "] is read by no window";
    for (const std::string& key : doc_.Keys(section))
      EXPECT_TRUE(!IsKnownSection(section) || IsKnownKey(section, key))
          << Where(section, key) << " is read by no window (misspelt?)";
  }
}

// A repeated section or key is silently shadowed by its first occurrence.
TEST_P(LanguageFileTest, NamesNoSectionOrKeyTwice) {
  const std::optional<std::string> bytes = ReadBytes(DataPath(GetParam().fileName));
  ASSERT_TRUE(bytes.has_value());
  std::set<std::string> sections;
  std::set<std::string> keys;
  std::string section;
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start < bytes->size()) {
    std::size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    const std::string_view line = TrimBlanks(std::string_view(*bytes).substr(start, end - start));
    ++lineNumber;
    start = end + 1;
    if (line.starts_with("[")) {
      section = AsciiLower(TrimBlanks(line.substr(1, line.find(']') - 1)));
      EXPECT_TRUE(sections.insert(section).second) << "line " << lineNumber << ": section repeated";
    } else if (!line.empty() && !line.starts_with(";") && line.find('=') != std::string_view::npos) {
      const std::string key = AsciiLower(TrimBlanks(line.substr(0, line.find('='))));
      EXPECT_TRUE(keys.insert(section + "/" + key).second) << "line " << lineNumber << ": key repeated";
    }
  }
}

TEST_P(LanguageFileTest, ListsHaveOneNonEmptyItemPerEntry) {
  for (const ListKey& list : kListKeys) {
    const std::vector<std::string> items = ParseCommaList(Value(list.section, list.key));
    EXPECT_EQ(items.size(), list.items) << Where(list.section, list.key);
    for (std::size_t i = 0; i < items.size(); ++i)
      EXPECT_FALSE(items[i].empty()) << Where(list.section, list.key) << " item " << i << " is empty";
  }
}

TEST_P(LanguageFileTest, LanguageNeutralListsKeepTheirItemOrder) {
  for (const FixedList& list : FixedLists())
    EXPECT_EQ(ParseCommaList(Value(list.section, list.key)), list.items) << Where(list.section, list.key);
}

TEST_P(LanguageFileTest, FileFiltersOfferTheirFileType) {
  for (const FileFilter& filter : kFileFilters) {
    const std::string value = Value(filter.section, filter.key);
    const std::size_t bar = value.find('|');
    ASSERT_NE(bar, std::string::npos) << Where(filter.section, filter.key) << " has no description|pattern form";
    EXPECT_GT(bar, 0u) << Where(filter.section, filter.key) << " has no description";
    EXPECT_EQ(value.substr(bar + 1), filter.pattern) << Where(filter.section, filter.key);
  }
}

TEST_P(LanguageFileTest, PrintoutColumnTitlesFitTheirColumns) {
  for (const ColumnTitle& title : kPrintoutColumnTitles) {
    const std::string value = Value(title.section, title.key);
    EXPECT_LE(CharacterCount(value), title.maxCharacters) << Where(title.section, title.key) << " = " << value;
  }
}

// None of the tool's texts is a format: a conversion would be shown literally.
TEST_P(LanguageFileTest, TextsHoldNoPrintfConversions) {
  for (const TextKey& entry : AllTextKeys()) {
    const std::string value = Value(entry.section, entry.key);
    EXPECT_TRUE(PrintfPlaceholders(value).empty()) << Where(entry.section, entry.key) << " = " << value;
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, LanguageFileTest, ::testing::ValuesIn(kLanguageFiles),
                         [](const ::testing::TestParamInfo<LanguageFile>& info) { return info.param.language; });

// ---------------------------------------------------------------------------
// The three languages against each other.

class AllLanguagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const LanguageFile& file : kLanguageFiles) docs_.push_back(LoadOrFail(file.fileName));
  }

  std::vector<IniDocument> docs_;
};

TEST_F(AllLanguagesTest, HaveTheSameKeysInEachSection) {
  const KeySets reference = KeysPerSection(docs_[0]);
  for (std::size_t i = 1; i < docs_.size(); ++i) {
    const KeySets other = KeysPerSection(docs_[i]);
    for (const auto& [section, keys] : reference)
      for (const std::string& key : keys)
        EXPECT_TRUE(other.contains(section) && other.at(section).contains(key))
            << Where(section, key) << " is in " << kLanguageFiles[0].fileName << " but not in "
            << kLanguageFiles[i].fileName;
    for (const auto& [section, keys] : other)
      for (const std::string& key : keys)
        EXPECT_TRUE(reference.contains(section) && reference.at(section).contains(key))
            << Where(section, key) << " is in " << kLanguageFiles[i].fileName << " but not in "
            << kLanguageFiles[0].fileName;
  }
}

TEST_F(AllLanguagesTest, UseTheSamePrintfPlaceholdersPerKey) {
  for (const auto& [section, keys] : KeysPerSection(docs_[0]))
    for (const std::string& key : keys) {
      const std::vector<std::string> reference = PrintfPlaceholders(docs_[0].ReadString(section, key, ""));
      for (std::size_t i = 1; i < docs_.size(); ++i)
        EXPECT_EQ(PrintfPlaceholders(docs_[i].ReadString(section, key, "")), reference)
            << Where(section, key) << " in " << kLanguageFiles[i].fileName;
    }
}

// Sentences (texts of four words or more) are translated, not copied.
TEST_F(AllLanguagesTest, TranslateEverySentence) {
  for (const TextKey& entry : AllTextKeys()) {
    const std::string dutch = docs_[0].ReadString(entry.section, entry.key, "");
    if (std::count(dutch.begin(), dutch.end(), ' ') < 3) continue;
    for (std::size_t i = 1; i < docs_.size(); ++i)
      EXPECT_NE(docs_[i].ReadString(entry.section, entry.key, ""), dutch)
          << Where(entry.section, entry.key) << " in " << kLanguageFiles[i].fileName << " is the Dutch text";
  }
}

}  // namespace
