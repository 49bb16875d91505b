#include "model/MessageText.h"

#include <map>

#include "model/LanguageTexts.h"

namespace {

// Keys are the same in every section that has them.
const std::map<std::string_view, const char*> kBuiltInWarnings = {
    {"Msg_waarschuwingCaption", "Waarschuwing"},
    {"ZendMsg_1", "De parameters in het geheugen zijn niet van de VQ2x ontvangen"},
    {"ZendMsg_2", "en ook niet uit een bestand of als standaardwaarden geladen."},
    {"ZendMsg_3", "Bij het zenden worden alle parameters van de VQ2x"},
    {"ZendMsg_4", "overschreven met deze waarden."},
    {"ZendMsg_5", "Ontvang of open eerst de juiste parameters als u twijfelt."},
    {"ZendMsg_6", "Wilt u de parameters toch naar de VQ2x zenden?"},
    {"ZendMsg_10", "De sollwerten in het geheugen zijn niet van de VQ2x ontvangen"},
    {"ZendMsg_20", "en ook niet uit een bestand geladen."},
    {"ZendMsg_30", "Bij het zenden worden alle 24 sollwerten van de VQ2x"},
    {"ZendMsg_40", "overschreven met deze waarden."},
    {"ZendMsg_50", "Wilt u de sollwerten toch naar de VQ2x zenden?"},
    {"AfdrukMsg_1", "De parameters in het geheugen zijn niet van de VQ2x ontvangen"},
    {"AfdrukMsg_2", "en ook niet uit een bestand of als standaardwaarden geladen."},
    {"AfdrukMsg_3", "De afdruk geeft dus niet de instellingen van een apparaat weer."},
    {"AfdrukMsg_4", "Ontvang of open eerst de parameters"},
    {"AfdrukMsg_5", "als u de instellingen van een apparaat wilt afdrukken."},
    {"AfdrukMsg_6", "Wilt u toch afdrukken?"},
    {"AfdrukMsg_10", "De sollwerten in het geheugen zijn niet van de VQ2x ontvangen"},
    {"AfdrukMsg_20", "en ook niet uit een bestand geladen."},
    {"AfdrukMsg_30", "De afdruk geeft dus niet de sollwerten van een apparaat weer."},
    {"AfdrukMsg_40", "Ontvang of open eerst de sollwerten als u die wilt afdrukken."},
    {"AfdrukMsg_50", "Wilt u toch afdrukken?"},
    {kParametersNotTakenOverKey,
     "Er zijn parameters naar de VQ2x gezonden die het apparaat nog niet heeft overgenomen. Laad ze eerst met "
     "Parameters in de VQ2x laden. Wilt u de editor toch sluiten?"},
    {"Msg_waarschuwingRestore_1", "Alle parameters en sollwerten van de VQ2x worden overschreven met de inhoud van"},
    {"Msg_waarschuwingRestore_2", "Wilt u de backup nu terugzetten?"},
};

constexpr std::string_view kLineEnd = "\r\n";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
bool IsBreakAfter(char c) { return c == ' ' || c == '\t' || c == '-' || c == '.'; }

// Byte length of the UTF-8 character that starts at `i`.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
  std::size_t end = i + 1;
  while (end < text.size() && IsContinuationByte(text[end])) ++end;
  return end - i;
}

// Wraps one line (no line ends in it).
void WrapLine(std::string_view line, int width, std::string& out) {
  while (!line.empty()) {
    // Walk at most `width` characters, remembering the last break point.
    std::size_t end = 0, lastBreak = 0;
    int characters = 0;
    while (end < line.size() && characters < width) {
      const bool breaks = IsBreakAfter(line[end]);
      end += CharacterLength(line, end);
      ++characters;
      if (breaks) lastBreak = end;
    }
    // A blank just past a full line breaks it there and is dropped; it would
    // only make the line one character too long.
    const bool blankFollows = end < line.size() && (line[end] == ' ' || line[end] == '\t');
    const std::size_t cut = end == line.size() || blankFollows || lastBreak == 0 ? end : lastBreak;
    out += line.substr(0, cut);
    line.remove_prefix(blankFollows ? cut + 1 : cut);
    if (!line.empty()) out += kLineEnd;
  }
}

}  // namespace

std::string WrapMessage(std::string_view text, int width) {
  if (width < 1) return std::string(text);
  std::string out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    WrapLine(text.substr(start, i - start), width, out);
    if (i == text.size()) break;
    out += kLineEnd;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  return out;
}

std::string WarningText(std::string_view section, std::string_view key) {
  const auto builtIn = kBuiltInWarnings.find(key);
  const std::string_view fallback = builtIn != kBuiltInWarnings.end() ? builtIn->second : "";
  return GlobalVar().LanguageLoaded ? Tekst(section, key, fallback) : std::string(fallback);
}

std::string JoinedMessage(std::string_view section, std::span<const char* const> keys, const TextLookup& lookup) {
  std::string message;
  for (std::size_t k = 0; k < keys.size(); ++k) {
    if (k > 0) message += "\n\r";
    message += lookup(section, keys[k]);
  }
  return message;
}

std::string SendParametersWarning(const TextLookup& lookup) {
  return JoinedMessage(kEditParamSection, kSendParametersWarningKeys, lookup);
}

std::string SendSetpointsWarning(const TextLookup& lookup) {
  return JoinedMessage(kEditSollwertSection, kSendSetpointsWarningKeys, lookup);
}

std::string PrintParametersWarning(const TextLookup& lookup) {
  return JoinedMessage(kPrintSection, kPrintParametersWarningKeys, lookup);
}

std::string PrintSetpointsWarning(const TextLookup& lookup) {
  return JoinedMessage(kPrintSection, kPrintSetpointsWarningKeys, lookup);
}

std::string ParametersNotTakenOverWarning(const TextLookup& lookup) {
  return WrapMessage(lookup(kEditParamSection, kParametersNotTakenOverKey));
}

std::string RestoreConfirmation(std::string_view first, std::string_view file, std::string_view second) {
  return std::string(first) + "  " + std::string(file) + "\n\r" + std::string(second);
}

const char* OpenMessageKey(ValueFileOutcome outcome) {
  switch (outcome) {
    case ValueFileOutcome::CannotOpen: return "OpenMsg1";
    case ValueFileOutcome::WrongHeader: return "OpenMsg2";
    case ValueFileOutcome::BadLine: return "OpenMsg3";
    case ValueFileOutcome::WrongCount: return "OpenMsg4";
    case ValueFileOutcome::Loaded: break;
  }
  return "";
}
