#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "model/ValueFile.h"

// Texts of the warning boxes of the parameter and setpoint editors.

// Word wrap for message boxes: lines of at most `width` characters (UTF-8
// characters, not bytes), broken after a blank, tab, "-" or "." (which stays
// at the end of its line) and joined by CR LF; a blank that falls just past
// a full line breaks it and is dropped. A word longer than the width is cut
// at the width. Line ends already in the text are kept, as CR LF.
// A width below 1 leaves the text as it is.
constexpr int kMessageWidth = 42;
std::string WrapMessage(std::string_view text, int width = kMessageWidth);

// A text of the language file: (section, key) -> text, empty when missing.
using TextLookup = std::function<std::string(std::string_view section, std::string_view key)>;

constexpr const char* kEditParamSection = "EditParam";
constexpr const char* kEditSollwertSection = "EditSollwert";
constexpr const char* kPrintSection = "Afdrukken";
constexpr const char* kWarningCaptionKey = "Msg_waarschuwingCaption";
constexpr const char* kParametersNotTakenOverKey = "Msg_ParGezondenEnNietGeladen";

// The parameter editor's message for a parameter file it cannot take
// ("OpenMsg1" cannot open, "OpenMsg2" not this kind of file, "OpenMsg3" a
// bad line, "OpenMsg4" not every number once); empty for a good file.
const char* OpenMessageKey(ValueFileOutcome outcome);

// The lines of the warnings shown before sending or printing values that
// were neither received nor loaded.
constexpr std::array<const char*, 6> kSendParametersWarningKeys = {"ZendMsg_1", "ZendMsg_2", "ZendMsg_3",
                                                                  "ZendMsg_4", "ZendMsg_5", "ZendMsg_6"};
constexpr std::array<const char*, 5> kSendSetpointsWarningKeys = {"ZendMsg_10", "ZendMsg_20", "ZendMsg_30",
                                                                 "ZendMsg_40", "ZendMsg_50"};
constexpr std::array<const char*, 6> kPrintParametersWarningKeys = {"AfdrukMsg_1", "AfdrukMsg_2", "AfdrukMsg_3",
                                                                   "AfdrukMsg_4", "AfdrukMsg_5", "AfdrukMsg_6"};
constexpr std::array<const char*, 5> kPrintSetpointsWarningKeys = {"AfdrukMsg_10", "AfdrukMsg_20", "AfdrukMsg_30",
                                                                  "AfdrukMsg_40", "AfdrukMsg_50"};

// The texts of `keys` in `section`, in order, joined by line feed and
// carriage return ("\n\r").
std::string JoinedMessage(std::string_view section, std::span<const char* const> keys, const TextLookup& lookup);

// A text of the warnings below, and of the restore confirmation: from the
// loaded language file, or its built-in (Dutch) text when the file lacks the
// key or no file is loaded. So a warning is asked, and its act waits for
// Yes, with or without a language file.
std::string WarningText(std::string_view section, std::string_view key);

// The four warnings: parameters and setpoints from their editor's section,
// the print warnings from section "Afdrukken" (whose "Msg_waarschuwingCaption"
// is then the caption).
std::string SendParametersWarning(const TextLookup& lookup);
std::string SendSetpointsWarning(const TextLookup& lookup);
std::string PrintParametersWarning(const TextLookup& lookup);
std::string PrintSetpointsWarning(const TextLookup& lookup);

// The parameter editor's warning on closing while a single written parameter
// has not been taken over by the device, wrapped to 42 characters.
std::string ParametersNotTakenOverWarning(const TextLookup& lookup);

// The restore confirmation: the first text, two blanks, the backup file's
// full name, LF CR, the second text.
std::string RestoreConfirmation(std::string_view first, std::string_view file, std::string_view second);
