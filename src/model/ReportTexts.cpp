#include "model/ReportTexts.h"

#include "model/Global_var.h"
#include "model/LanguageTexts.h"

namespace {

struct ReportTextKey {
  const char* key;
  const char* builtIn;
  std::string ReportTexts::*field;
};

const ReportTextKey kKeys[] = {
    {"Titel", "Inbedrijfstellingsrapport", &ReportTexts::title},
    {"Gelezen", "Gelezen op", &ReportTexts::readAt},
    {"Programma", "Programma", &ReportTexts::program},
    {"Poort", "Poort", &ReportTexts::port},
    {"Lijn", "Lijninstellingen", &ReportTexts::line},
    {"Unit", "Unit", &ReportTexts::unit},
    {"Type", "Type", &ReportTexts::type},
    {"Hardware", "Hardware", &ReportTexts::hardware},
    {"Serie", "Serienummer", &ReportTexts::serial},
    {"Gewijzigd", "Parameters die van hun standaardwaarde afwijken", &ReportTexts::changed},
    {"GeenGewijzigd", "Alle parameters staan op hun standaardwaarde.", &ReportTexts::noneChanged},
    {"Overig", "Parameters buiten de boom", &ReportTexts::otherParameters},
    {"KolomPositie", "Positie", &ReportTexts::position},
    {"KolomNummer", "Nr", &ReportTexts::number},
    {"KolomNaam", "Naam", &ReportTexts::name},
    {"KolomWaarde", "Waarde", &ReportTexts::value},
    {"KolomStandaard", "Standaard", &ReportTexts::defaultValue},
    {"Sollwerten", "Sollwerten", &ReportTexts::setpoints},
    {"KolomSollwert", "Sollwert", &ReportTexts::setpoint},
    {"Calibratie", "Calibratiewaarden", &ReportTexts::words},
    {"KolomAdres", "Adres", &ReportTexts::address},
    {"KolomBetekenis", "Betekenis", &ReportTexts::meaning},
    {"Linearisatie", "Linearisatie", &ReportTexts::linearisation},
    {"LinearisatieUit", "De linearisatie staat uit.", &ReportTexts::linearisationOff},
    {"KolomPunt", "Punt", &ReportTexts::point},
    {"Nokken", "Nokken in gebruik", &ReportTexts::cams},
    {"GeenNokken", "Geen nok is in gebruik.", &ReportTexts::noCams},
    {"KolomNok", "Nok", &ReportTexts::cam},
    {"KolomFunctie", "Functie", &ReportTexts::function},
    {"KolomUitgang", "Uitgang", &ReportTexts::output},
    {"KolomBron", "Bron", &ReportTexts::source},
    {"KolomAanvang", "Aanvang", &ReportTexts::start},
    {"KolomEinde", "Einde", &ReportTexts::end},
    {"Backup", "Backupbestand", &ReportTexts::backup},
    {"Controlegetal", "SHA-256 van de backup (.bak) van deze inhoud:", &ReportTexts::checksum},
    {"Pagina", "Pagina", &ReportTexts::page},
};

}  // namespace

ReportTexts DefaultReportTexts() {
  ReportTexts texts;
  for (const ReportTextKey& k : kKeys) texts.*k.field = k.builtIn;
  return texts;
}

ReportTexts ReportTextsOfLanguage() {
  ReportTexts texts = DefaultReportTexts();
  if (!GlobalVar().LanguageLoaded) return texts;
  for (const ReportTextKey& k : kKeys) texts.*k.field = Tekst(kReportSection, k.key, k.builtIn);
  return texts;
}
