// The calibration window's words, commands, reply splitting and state, without a window.
#include <gtest/gtest.h>

#include "model/CalibrationModel.h"

namespace {

ResultBytes Bytes(const std::string& s) { return ResultBytes(s.begin(), s.end()); }
ResultBytes Line(const std::string& s) { return Bytes(s + "\r\n"); }

// Stores what the read chain reads; the device holds address * 10 - 20400 in each word.
CalibrationModel ModelAfterReadChain() {
  CalibrationModel model;
  model.Activate();
  for (std::int32_t address : kReadChainOrder) model.StoreReadWord(address, address * 10 - 20400);
  return model;
}

TEST(CalibrationWords, ClampStoresTheNearestBoundUnlessUnlimited) {
  struct Row { std::int64_t value; std::int32_t minimum, maximum, stored; };
  const Row rows[] = {
      {5000, -1000, 1000, 1000}, {-5000, -3000, 3000, -3000}, {-7, -1000, 1000, -7},
      {5000000, 0, 0, 5000000},  {1LL << 40, 0, 0, INT32_MAX},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(ClampToSpinRange(row.value, row.minimum, row.maximum), row.stored);
  }
}

TEST(CalibrationWords, CommandTexts) {
  const CalibrationWord& gainCurrent = CalibrationWords()[*CalibrationWordIndex(2045)];
  EXPECT_STREQ(gainCurrent.spinBoxName, "SpinEdit_Gain_I_neg");
  EXPECT_EQ(gainCurrent.maximum, 3000);
  EXPECT_EQ(WriteWordCommand(gainCurrent, -12), "kw 2045 -12");
  EXPECT_EQ(ReadWordCommand(2028), "kr 2028");
  EXPECT_FALSE(CalibrationWordIndex(2033));
  EXPECT_FALSE(CalibrationWordIndex(2046));
}

TEST(CalibrationWords, CurrentLevelsAreHalvedTowardZero) {
  struct Row { AnalogOutputKind kind; std::int32_t level; const char* command; };
  const Row rows[] = {
      {AnalogOutputKind::Voltage, -100000, "ka -100000"}, {AnalogOutputKind::Voltage, 5, "ka 5"},
      {AnalogOutputKind::Current, -200000, "ka -100000"}, {AnalogOutputKind::Current, 3, "ka 1"},
      {AnalogOutputKind::Current, 5, "ka 2"},             {AnalogOutputKind::Current, -5, "ka -2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.command);
    EXPECT_EQ(DriveOutputCommand(row.kind, row.level), row.command);
  }
}

TEST(CalibrationReplies, SplitByPosition) {
  const CalibrationReply read = SplitChainReply(Line("kr 2041 -12"));
  EXPECT_EQ(read.text, "kr 2041 -12");
  EXPECT_EQ(read.commandWord, "kr");
  EXPECT_EQ(read.firstToken, "2041");
  EXPECT_EQ(read.value, "-12");
  EXPECT_EQ(SplitChainReply(Line("kr 17")).value, "17");
  EXPECT_EQ(SplitCommandReply(Line("kf 1")).firstToken, "1");
  EXPECT_EQ(SplitCommandReply(Line("kf 1")).value, "");
  EXPECT_EQ(SplitCommandReply(Bytes("ks")).text, "");
  const CalibrationReply longReply = SplitCommandReply(Line("kw 2041 " + std::string(200, '7')));
  EXPECT_TRUE(longReply.cut);
  EXPECT_EQ(longReply.text.size(), kCalibrationReplyLimit - 2);
}

TEST(CalibrationReplies, LiveReadingAndErrorTexts) {
  EXPECT_EQ(LiveReadingText(AnalogInput::Voltage, LiveReadingValue(Line("r4 12345"))), "1,2345 V");
  EXPECT_EQ(LiveReadingText(AnalogInput::Voltage, "-5"), "-0,0005 V");
  EXPECT_EQ(LiveReadingText(AnalogInput::Current, "200000"), "20,0000 mA");
  EXPECT_EQ(LiveReadingText(AnalogInput::Current, LiveReadingValue(Line("r5"))), "????");
  EXPECT_EQ(LiveReadingText(AnalogInput::Voltage, "1.5"), "????");
  EXPECT_EQ(CalibrationErrorText(ceTimeout, 0, 0), "Timeout!");
  EXPECT_EQ(CalibrationErrorText(ceSystemError, 5, 0), "Communicatie error");
  EXPECT_EQ(CalibrationErrorText(ceLineError, 0, CE_FRAME), "Communicatie error");
  EXPECT_EQ(CalibrationErrorText(cePortClosed, 0, 0), "Communicatie error");  // no flags, still a failure
  EXPECT_FALSE(CalibrationErrorText(TCommError{}));
}

TEST(CalibrationModel, ReadWordsAreSaved) {
  const CalibrationModel model = ModelAfterReadChain();
  // 2041 holds 10; the gains at 2044 (40) and 2045 (50) fit their boxes.
  EXPECT_EQ(model.SavedValues()[*CalibrationWordIndex(2041)], 10);
  EXPECT_EQ(model.SavedValues()[*CalibrationWordIndex(2034)], -60);
  EXPECT_FALSE(model.NotSaved());
}

TEST(CalibrationModel, ReadValueBeyondTheBoxIsSavedAsTheBound) {
  CalibrationModel model;
  model.Activate();
  EXPECT_EQ(model.StoreReadWord(2042, 5000), 1000);
  EXPECT_EQ(model.SavedValues()[*CalibrationWordIndex(2042)], 1000);
}

TEST(CalibrationReplies, ABadChainReplyIsNotUsedAndSaysWhyInRed) {
  struct Row { std::string reply; std::int32_t address; ReplyUse use; std::string text; };
  const Row rows[] = {
      {"kr 2041 -12", 2041, ReplyUse::Use, "kr 2041 -12"},
      {"kr 17", 2028, ReplyUse::Use, "kr 17"},
      {"kr 2041 12x4", 2041, ReplyUse::AskAgain, "kr 2041 12x4: ongeldige waarde"},
      {"kr 2041 ", 2041, ReplyUse::AskAgain, "kr 2041 : ongeldige waarde"},
      {"kr 2042 5", 2041, ReplyUse::AskAgain, "kr 2042 5: geen antwoord op kr 2041"},
      {"er 7", 2041, ReplyUse::Refused, "er 7: geen antwoord op kr 2041"},
      {"kr 2041 " + std::string(120, '1'), 2041, ReplyUse::AskAgain,
       "kr 2041 " + std::string(90, '1') + ": antwoord te lang"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reply);
    const CheckedReply checked = CheckWordReply(Line(row.reply), row.address);
    EXPECT_EQ(checked.use, row.use);
    EXPECT_EQ(checked.status.text, row.text);
    EXPECT_EQ(checked.status.red, row.use != ReplyUse::Use);
  }
  EXPECT_EQ(CheckWordReply(Line("kr 2028 -300"), 2028).value, -300);
}

TEST(CalibrationReplies, TheInputModeIsTakenOverOnlyAfterTheCompute) {
  struct Row { const char* reply; const char* command; ReplyUse use; };
  const Row rows[] = {
      {"wp 226 0", "wp 226 0", ReplyUse::Use},  {"wp", "wp 226 1", ReplyUse::Use},
      {"er 7", "wp 226 0", ReplyUse::Refused},  {"r4 12", "wp 226 0", ReplyUse::AskAgain},
      {"bp -1", "bp", ReplyUse::Use},           {"bp 3", "bp", ReplyUse::Refused},
      {"wp 226 0", "bp", ReplyUse::AskAgain},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reply);
    EXPECT_EQ(CheckInputModeReply(Line(row.reply), row.command).use, row.use);
  }
  EXPECT_EQ(CheckInputModeReply(Line("bp 3"), "bp").status.text, "bp 3: niet overgenomen");
}

TEST(CalibrationModel, WritesOnlyWhileCalibrationModeIsOn) {
  CalibrationModel model = ModelAfterReadChain();
  EXPECT_FALSE(model.SpinBoxChanged(2041, 11));
  model.CommandReply(Line("km 1"), "VQ20");
  EXPECT_EQ(model.SpinBoxChanged(2041, 12), "kw 2041 12");
  EXPECT_EQ(model.SpinBoxChanged(2040, -4000), "kw 2040 -1000");
  model.CommandReply(Line("km 0"), "VQ20");
  EXPECT_FALSE(model.SpinBoxChanged(2041, 13));
}

TEST(CalibrationModel, TheReadChainNeverWritesBackEvenInCalibrationMode) {
  CalibrationModel model;
  model.Activate();
  model.CommandReply(Line("km 1"), "VQ22");  // confirmed while the chain still runs
  for (std::int32_t address : kReadChainOrder) {
    SCOPED_TRACE(address);
    // The window puts the value into the box, whose change event follows.
    EXPECT_FALSE(model.SpinBoxChanged(address, model.StoreReadWord(address, 5000)));
  }
  // A change by the engineer afterwards is written.
  EXPECT_EQ(model.SpinBoxChanged(2042, 999), "kw 2042 999");
}

TEST(CalibrationModel, GroupsFollowTheDevicesAnswers) {
  struct Row { const char* reply; const char* type; CalibrationControls after; };
  const Row rows[] = {
      {"km 1", "VQ20", {false, false, false, true, false}}, {"km 1", "VQ22", {false, false, true, true, false}},
      {"kf 1", "VQ22", {true, false, true, true, false}},   {"kf 2", "VQ22", {false, true, true, true, false}},
      {"kf 0", "VQ22", {false, false, true, true, false}},  {"km 0", "VQ22", {false, false, false, false, false}},
  };
  CalibrationModel model;
  model.Activate();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reply);
    model.CommandReply(Line(row.reply), row.type);
    const CalibrationControls& c = model.Controls();
    EXPECT_EQ(c.voltageOutputGroup, row.after.voltageOutputGroup);
    EXPECT_EQ(c.currentOutputGroup, row.after.currentOutputGroup);
    EXPECT_EQ(c.inputGroups, row.after.inputGroups);
    EXPECT_EQ(c.outputSelection, row.after.outputSelection);
  }
}

TEST(CalibrationModel, NotSavedUntilTheDeviceConfirmsTheSave) {
  CalibrationModel model = ModelAfterReadChain();
  model.CommandReply(Line("km 1"), "VQ20");
  model.SpinBoxChanged(2041, 10);  // the value read: nothing to save
  model.CommandReply(Line("kw 2041 10"), "VQ20");
  EXPECT_FALSE(model.CloseNeedsWarning());
  EXPECT_FALSE(model.Controls().saveButton);

  model.SpinBoxChanged(2041, 11);
  model.CommandReply(Line("kw 2041 11"), "VQ20");
  model.SpinBoxChanged(2041, 10);  // changed back: still written once
  model.CommandReply(Line("kw 2041 10"), "VQ20");
  EXPECT_TRUE(model.CloseNeedsWarning());
  EXPECT_TRUE(model.Controls().saveButton);

  model.SpinBoxChanged(2041, 15);
  model.CommandReply(Line("kw 2041 15"), "VQ20");
  model.CommandReply(Line("ks -1"), "VQ20");
  EXPECT_FALSE(model.CloseNeedsWarning());
  EXPECT_FALSE(model.Controls().saveButton);
  EXPECT_EQ(model.SavedValues()[*CalibrationWordIndex(2041)], 15);
}

TEST(CalibrationModel, ReadingsStopEachOtherAndIgnoreRepliesWhenOff) {
  CalibrationModel model;
  EXPECT_FALSE(model.LiveReading(AnalogInput::Voltage, Line("r4 12345")));
  const ReadingSwitch voltage = model.ToggleVoltageReading();
  EXPECT_EQ(voltage.start, AnalogInput::Voltage);
  EXPECT_EQ(InputModeCommand(AnalogInput::Voltage), "wp 226 0");
  EXPECT_STREQ(LiveReadingCommand(AnalogInput::Voltage), "r4");
  EXPECT_EQ(model.LiveReading(AnalogInput::Voltage, Line("r4 12345")), "1,2345 V");

  const ReadingSwitch current = model.ToggleCurrentReading();
  EXPECT_TRUE(current.stopVoltage);
  EXPECT_EQ(current.start, AnalogInput::Current);
  EXPECT_EQ(InputModeCommand(AnalogInput::Current), "wp 226 1");
  EXPECT_FALSE(model.MeasuringU_AD());
  EXPECT_TRUE(model.MeasuringI_AD());

  const ReadingSwitch off = model.StopReadings();
  EXPECT_TRUE(off.stopCurrent);
  EXPECT_FALSE(off.stopVoltage);
  EXPECT_FALSE(model.LiveReading(AnalogInput::Current, Line("r5 5")));
}

}  // namespace
