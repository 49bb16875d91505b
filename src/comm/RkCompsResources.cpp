#include "comm/RkCompsResources.h"

namespace {

struct Message {
  const char* english;
  const char* german;
};

#define CRLF "\r\n"

constexpr Message kMessages[RkTextCount] = {
    /* 1 */ {"Data transmission successful!", "Datenübertragung erfolgreich!"},
    /* 2 */ {"Unknown error!", "Unbekannten Fehler!"},
    /* 3 */ {"Communication error [%2.2xh]:", "Übertragungsfehler [%2.2xh]:"},
    /* 4 */ {"Communication error", "Übertragungsfehler"},
    /* 5 */ {"Function parameter error [%2.2xh]:", "Funktionsparameter-Fehler [%2.2xh]:"},
    /* 6 */ {"Operating error [%2.2xh]:", "Betriebsfehler [%2.2xh]:"},
    /* 7 */ {"Parity error!", "Paritätsfehler!"},
    /* 8 */ {"Frame error!", "Stoppbitfehler!"},
    /* 9 */ {"Overrun error!", "Überschreibfehler!"},
    /* 10 */ {"Check error!", "Prüfbytefehler!"},
    /* 11 */ {"Wrong function number!" CRLF "Function undefined.", "Falsche Funktionsnummer!" CRLF "Funktion nicht definiert."},
    /* 12 */ {"Wrong type!" CRLF "Data type undefined.", "Falscher Typ!" CRLF "Datentyp nicht definiert."},
    /* 13 */ {"Wrong axis number!" CRLF "Axis does not exist or is undefined.",
              "Falsche Achsennummer!" CRLF "Achse existiert nicht oder ist nicht definiert."},
    /* 14 */ {"Wrong unit number!" CRLF "Unit does not exist or is undefined.",
              "Falsche Einheitennummer!" CRLF "Einheit existiert nicht oder ist nicht definiert."},
    /* 15 */ {"Wrong module number!" CRLF "Data I/O does not exist or is undefined.",
              "Falsche Modulnummer!" CRLF "Daten-Ein-/Ausgabe existiert nicht oder ist nicht definiert."},
    /* 16 */ {"Wrong programme number!" CRLF "Programme selection not allowed;" CRLF
              "number too large or 0 or programme does not exist.",
              "Falsche Programmnummer!" CRLF "Programmwahl nicht erlaubt;" CRLF
              "Nummer zu gross bzw. 0 oder Programm existiert nicht."},
    /* 17 */ {"Wrong sentence number!" CRLF "Number too large or 0 or sentence does not exist.",
              "Falsche Satznummer!" CRLF "Nummer zu gross bzw. 0 oder Satz existiert nicht."},
    /* 18 */ {"Wrong range!" CRLF "Parameter range undefined or does not exist.",
              "Falscher Bereich!" CRLF "Parameterbereich nicht definiert bzw. nicht vorhanden."},
    /* 19 */ {"Wrong storage number!" CRLF "Paraameter memory location does not exist.",
              "Falsche Speichernummer!" CRLF "Parameter-Speicherplatz existiert nicht."},
    /* 20 */ {"Wrong operating mode!" CRLF "Controller must be in the automatic mode.",
              "Falsche Betriebsart!" CRLF "Controller muss sich im Automatikbetrieb befinden."},
    /* 21 */ {"Wrong operating state!" CRLF "Controller must be in the reset state (for all units).",
              "Falscher Betriebszustand!" CRLF "Controller muss sich im rückgestellten Zustand befinden (für alle Einheiten)."},
    /* 22 */ {"Sequence not terminated!", "Sequenz nicht beendet!"},
    /* 23 */ {"Sequence not started!", "Sequenz nicht gestartet!"},
    /* 24 */ {"Memory overflow!", "Speicherüberlauf!"},
    /* 25 */ {"Programme end missing!", "Programmende fehlt!"},
    /* 26 */ {"Programme end exceeded!", "Programmende überschritten!"},
    /* 27 */ {"Too many parameters!", "Zu viele Parameter!"},
    /* 28 */ {"Parameter error!", "Parameterfehler!"},
    /* 29 */ {"Cannot start the axis!", "Achse kann nicht gestartet werden!"},
    /* 30 */ {"Unknown protocol!", "Unbekanntes Protokoll!"},
    /* 31 */ {"System error [%4.4xh]:", "Systemfehler [%4.4xh]:"},
    /* 32 */ {"Windows error message(s)!", "Windows Fehlermeldung(en)!"},
    /* 33 */ {"[%4.4xh]: The hardware detected a break condition.", "[%4.4xh]: Die Hardware stellte eine Abbruchbedingung fest."},
    /* 34 */ {"[%4.4xh]: The hardware detected a framing error.", "[%4.4xh]: Die Hardware stellt einen Framing-Fehler fest."},
    /* 35 */ {"[%4.4xh]: An I/O error occurred during communications with the interface.",
              "[%4.4xh]: Ein E/A-Fehler ist bei der Kommunikation mit der Schnittstelle aufgetreten."},
    /* 36 */ {"[%4.4xh]: Invalid interface handle or the requested mode is not supported.",
              "[%4.4xh]: Ungültiger Schnittstelle-Handle oder der gewünschte Modus wird nicht unterstützt."},
    /* 37 */ {"[%4.4xh]: A character-buffer overrun has occurred. The next character is lost.",
              "[%4.4xh]: Ein Zeichen wurde nicht rechtzeitig gelesen. Das Zeichen ist verloren."},
    /* 38 */ {"[%4.4xh]: An input buffer overflow has occurred.", "[%4.4xh]: Überlauf der Empfangswarteschlange."},
    /* 39 */ {"[%4.4xh]: The hardware detected a parity error.", "[%4.4xh]: Die Hardware stellte einen Paritätsfehler fest."},
    /* 40 */ {"[%4.4xh]: An output buffer overflow has occurred.", "[%4.4xh]: Überlauf der Sendewarteschlange."},
    /* 41 */ {"General communication error [%4.4xh]:", "Allgemeiner Übertragungsfehler [%4.4xh]:"},
    /* 42 */ {"Protocol buffer is empty!", "Protokoll-Buffer ist leer!"},
    /* 43 */ {"Timeout error!", "Zeitüberschreitungs-Fehler!"},
    /* 44 */ {"Protocol check sum error!", "Protokoll Prüfbytefehler!"},
    /* 45 */ {"Incorrect protocol header. Protocol header unequal <82h><96h>!",
              "Fehlerhafter Protokollkopf. Protokollkopf ungleich <82h><96h>!"},
    /* 46 */ {"<82h> duplication is missing!", "<82h> Wiederholung fehlt!"},
    /* 47 */ {"Incorrect protocol header. Protocol header unequal <DLE><STX>!",
              "Fehlerhafter Protokollkopf. Protokollkopf ungleich <DLE><STX>!"},
    /* 48 */ {"<DLE> duplication is missing!", "<DLE> Wiederholung fehlt!"},
    /* 49 */ {"Incorrect start character in the protocol header!", "Fehlerhaftes Startzeichen im Protokollkopf!"},
    /* 50 */ {"RkInitCommE.hlp", "RkInitComm.hlp"},
    /* 51 */ {"Serial port", "Serielle Schnittstelle"},
    /* 52 */ {"OK", "OK"},
    /* 53 */ {"Cancel", "Abbrechen"},
    /* 54 */ {"Port configuration", "Anschlußeinstellungen"},
    /* 55 */ {"Extended", "Erweitert"},
    /* 56 */ {"&Port:", "&Anschluß:"},
    /* 57 */ {"COM 1", "COM 1"},
    /* 58 */ {"COM 2", "COM 2"},
    /* 59 */ {"COM 3", "COM 3"},
    /* 60 */ {"COM 4", "COM 4"},
    /* 61 */ {"I/&O range:", "&E/A-Bereich:"},
    /* 62 */ {"&Bits per second:", "&Bits pro Sekunde:"},
    /* 63 */ {"&Data bits:", "&Datenbits:"},
    /* 64 */ {"P&arity:", "&Parität:"},
    /* 65 */ {"None", "Keine"},
    /* 66 */ {"Even", "Gerade"},
    /* 67 */ {"Odd", "Ungerade"},
    /* 68 */ {"&Stop bits:", "&Stoppbits:"},
    /* 69 */ {"&Hardware:", "&Hardware:"},
    /* 70 */ {"Standard", "Standard"},
    /* 71 */ {"PCLab Card PCL 745", "PCLab-Karte PCL 745"},
    /* 72 */ {"Phoenix PSM-V24/RS485", "Phoenix PSM-V24/RS485"},
    /* 73 */ {"User defined", "Benutzerdefiniert"},
    /* 74 */ {"&Port type:", "&Anschlußtyp:"},
    /* 75 */ {"&Receiver:", "&Empfänger:"},
    /* 76 */ {"None", "Nein"},
    /* 77 */ {"Register 7 = 2", "Register 7 = 2"},
    /* 78 */ {"&Transmitter:", "&Sender:"},
    /* 79 */ {"None", "Nein"},
    /* 80 */ {"Register 7 = 1", "Register 7 = 1"},
    /* 81 */ {"RTS = 1", "RTS = 1"},
    /* 82 */ {"DTR = 0", "DTR = 0"},
};

#undef CRLF

}  // namespace

const char* RkText(int number, int language) {
  if (number < 1 || number > RkTextCount) return "";
  const Message& message = kMessages[number - 1];
  if (language == 1) return message.english;
  if (language == 2) return message.german;
  return "";
}
