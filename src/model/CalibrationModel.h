#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "comm/RkProtocolComponent.h"
#include "model/CalibrationReplies.h"
#include "model/CalibrationWords.h"

// The calibration window's state and decisions, without the window: what a
// read word stores, what each command reply changes, which control groups
// are enabled, and whether closing must warn. The window owns the controls
// and the protocol components; it sends the commands returned here and
// shows what Controls() says after every call. The chains that read the
// words run on CalibrationChains.

// Which controls are enabled (the others are grey and disabled). "Aan",
// "Uit" and "Lees" are always enabled.
struct CalibrationControls {
  bool voltageOutputGroup = false;  // EnableSpanning_DA / DisableSpanning_DA
  bool currentOutputGroup = false;  // EnableStroom_DA / DisableStroom_DA
  bool inputGroups = false;         // Enable_AD / Disable_AD
  bool outputSelection = false;     // "Spanning", "Stroom", "Geen"; "DA Select" caption in window-text colour
  bool saveButton = false;          // "EEPROM"
};

// Switching the live input readings. The window applies the stops first,
// then the start.
struct ReadingSwitch {
  bool stopVoltage = false;  // clear Cyclic of QL200Lees_U_AD, clear its panel (button face), caption "ON"
  bool stopCurrent = false;  // the same for QL200Lees_I_AD
  std::optional<AnalogInput> start;  // switch the input mode (CalibrationChains), panel light yellow
                                     // (255, 255, 151), caption "OFF"; once the device has taken the
                                     // mode over, poll LiveReadingCommand() cyclically
};

constexpr const char* kCloseWarningCaption = "Waarschuwing";
// Shown with Yes / No / Cancel, wrapped at 42 characters by the window.
constexpr const char* kCloseWarningText =
    "Er zijn calibratie waarden naar de VQ2x...gezonden maar nog niet gesaved in EEPROM. Wilt U toch afsluiten?";

class CalibrationModel {
public:
  // Resets the calibration state; the read chain starts next. The output
  // level boxes take their OutputLevelBoxes() activation values.
  void Activate();

  // The read chain has read `value` from calibration word `address`: it is
  // what the device holds in EEPROM. Returns what the word's spin box
  // stores (the nearest bound for a value beyond its range); the window
  // puts it into the box, whose change event then writes nothing back.
  std::int32_t StoreReadWord(std::int32_t address, std::int32_t value);

  // A reply on QL200Kalibratie; `deviceType` is the identified type ("VQ22"
  // enables the input groups on "km 1"). Returns what the status panel shows.
  CalibrationStatus CommandReply(const ResultBytes& reply, const std::string& deviceType);

  // A calibration spin box changed (also when the window set it): the "kw"
  // command to send on QL200Kalibratie while CalibrationModeOn, else nothing.
  // A value the model holds for that box already (the read chain's, which
  // the window has just put into the box) is no change and sends nothing.
  std::optional<std::string> SpinBoxChanged(std::int32_t address, std::int32_t value);

  // The "ON"/"OFF" buttons of the two inputs: a running reading of the other
  // input is stopped first.
  ReadingSwitch ToggleVoltageReading();
  ReadingSwitch ToggleCurrentReading();
  // Both readings off: after "Uit" has sent "km 0", and when closing.
  ReadingSwitch StopReadings();
  // What the reading panel shows for a reply of QL200Lees_U_AD / QL200Lees_I_AD;
  // no value while that reading is off (the reply is ignored).
  std::optional<std::string> LiveReading(AnalogInput input, const ResultBytes& reply) const;

  // Closing must ask kCloseWarningText (Yes closes) when this is true.
  bool CloseNeedsWarning() const { return notSaved_; }

  const CalibrationControls& Controls() const { return controls_; }
  bool CalibrationModeOn() const { return calibrationModeOn_; }
  // By CalibrationWords() position: what the device holds in EEPROM as far as the window knows.
  const std::array<std::int32_t, kCalibrationWordCount>& SavedValues() const { return savedValues_; }
  // By the same position: the values the spin boxes hold.
  const std::array<std::int32_t, kCalibrationWordCount>& SpinValues() const { return spinValues_; }
  bool NotSaved() const { return notSaved_; }
  bool MeasuringU_AD() const { return measuringVoltage_; }
  bool MeasuringI_AD() const { return measuringCurrent_; }

private:
  void ApplyModeReply(const std::string& token, const std::string& deviceType);
  void ApplyOutputReply(const std::string& token);
  void ApplyWriteReply(const std::string& token);

  bool calibrationModeOn_ = false;
  std::array<std::int32_t, kCalibrationWordCount> savedValues_{};
  std::array<std::int32_t, kCalibrationWordCount> spinValues_{};
  bool notSaved_ = false;
  bool measuringVoltage_ = false;
  bool measuringCurrent_ = false;
  CalibrationControls controls_;
};
