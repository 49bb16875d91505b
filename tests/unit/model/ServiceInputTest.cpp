#include "model/ServiceInput.h"

#include <gtest/gtest.h>

namespace {

using Table = std::array<std::int32_t, kParameterCount>;

struct KeyCase {
  const char* why;
  const char* text;
  int caret, selectionStart, selectionLength;
  char32_t typed;
  int decimals;
  std::int32_t minimum;
  int maxIntDigits;
  const char* expected;  // "drop", "pass" or the new text followed by "|" and the caret
};

std::string Describe(const NumberFieldKey& k) {
  switch (k.Outcome) {
    case NumberFieldKey::Action::Drop: return "drop";
    case NumberFieldKey::Action::LetThrough: return "pass";
    case NumberFieldKey::Action::Replace: return k.Text + "|" + std::to_string(k.Caret);
  }
  return "?";
}

const KeyCase kKeyCases[] = {
    {"letters are dropped", "12", 2, 0, 0, U'a', 2, 0, 3, "drop"},
    {"a point becomes a comma", "12", 2, 0, 0, U'.', 2, 0, 3, "12,|3"},
    {"no comma without decimals", "12", 2, 0, 0, U',', 0, 0, 3, "drop"},
    {"no second comma", "1,2", 1, 0, 0, U',', 2, 0, 3, "drop"},
    {"no sign with minimum 0", "12", 0, 0, 0, U'-', 2, 0, 3, "drop"},
    {"a sign typed behind goes in front", "12", 2, 0, 0, U'-', 0, -100, 3, "-12|3"},
    {"a sign typed at 0", "12", 0, 0, 0, U'-', 0, -100, 3, "-12|1"},
    {"a sign is not a digit", "100", 0, 0, 0, U'-', 0, -100, 3, "-100|1"},
    {"no second sign", "-12", 3, 0, 0, U'-', 0, -100, 3, "drop"},
    {"nothing in front of the sign", "-12", 0, 0, 0, U'5', 0, -100, 3, "drop"},
    {"a sign over a selection keeps one sign", "-12", 3, 1, 2, U'-', 0, -100, 3, "drop"},
    {"a sign over the whole text", "-12", 3, 0, 3, U'-', 0, -100, 3, "-|1"},
    {"integer digits full", "123", 3, 0, 0, U'4', 2, 0, 3, "drop"},
    {"a comma after full integer digits", "123", 3, 0, 0, U',', 2, 0, 3, "123,|4"},
    {"decimals full", "12,34", 5, 0, 0, U'5', 2, 0, 3, "drop"},
    {"a decimal with room", "12,3", 4, 0, 0, U'4', 2, 0, 3, "12,34|5"},
    {"integer digits full in front of the comma", "123,4", 1, 0, 0, U'9', 2, 0, 3, "drop"},
    {"an integer digit with room", "12,34", 1, 0, 0, U'9', 2, 0, 3, "192,34|2"},
    {"the caret just before the comma of a signed text is in the integer part", "-12,5", 3, 0, 0, U'7', 2, -100, 2,
     "drop"},
    {"a signed integer part with room", "-1,55", 2, 0, 0, U'7', 2, -100, 2, "-17,55|3"},
    {"a selection is replaced without the digit check", "123", 2, 1, 1, U'9', 2, 0, 3, "193|2"},
    {"backspace passes", "12", 2, 0, 0, kBackspace, 2, 0, 3, "pass"},
    {"backspace in front of the sign", "-12", 0, 0, 0, kBackspace, 2, -100, 3, "drop"},
    {"positions are clamped", "12", 99, 50, 0, U'3', 0, 0, 5, "123|3"},
};

TEST(ServiceInput, KeyFilter) {
  for (const KeyCase& c : kKeyCases) {
    SCOPED_TRACE(c.why);
    const NumberFieldRules rules{c.decimals, c.minimum, 100000, c.maxIntDigits};
    EXPECT_EQ(Describe(FilterNumberKey({c.text, c.caret, c.selectionStart, c.selectionLength}, c.typed, rules)),
              c.expected);
  }
}

struct TestCase {
  const char* text;
  int decimals;
  std::int32_t minimum, maximum;
  InputCheck check;
  std::int32_t value;
};

const TestCase kTestCases[] = {
    {"", 0, 0, 100, InputCheck::Ok, 0},
    {"12,5", 2, 0, 10000, InputCheck::Ok, 1250},
    {"12", 2, 0, 10000, InputCheck::Ok, 1200},
    {"-0,05", 2, -100, 100, InputCheck::Ok, -5},
    {",", 2, 0, 100, InputCheck::Ok, 0},
    {"99999999", 0, 0, 2000000000, InputCheck::Ok, 99999999},
    {"123456789", 0, 0, 2000000000, InputCheck::TooManyDigits, 0},
    {"1234567", 2, 0, 2000000000, InputCheck::TooManyDigits, 0},
    {"5", 9, 0, 2000000000, InputCheck::TooManyDigits, 0},
    {"101", 0, 0, 100, InputCheck::OutOfRange, 0},
    {"-5", 0, 0, 100, InputCheck::OutOfRange, 0},
    {"1,2,3", 2, 0, 100000, InputCheck::NotANumber, 0},
    {"12a", 0, 0, 100, InputCheck::NotANumber, 0},
    {"1-2", 0, -100, 100, InputCheck::NotANumber, 0},
    {"--2", 0, -100, 100, InputCheck::NotANumber, 0},
    {"1,234", 2, 0, 100000, InputCheck::NotANumber, 0},  // would otherwise store 1234
    {"1,5", 0, 0, 100, InputCheck::NotANumber, 0},       // would otherwise store 15
    {"-", 0, -100, 100, InputCheck::NotANumber, 0},
};

TEST(ServiceInput, InputTestOfTheNumberField) {
  for (const TestCase& c : kTestCases) {
    SCOPED_TRACE(c.text);
    const InputTestResult r = TestIngaveNumber(c.text, {c.decimals, c.minimum, c.maximum, 8});
    EXPECT_EQ(r.Check, c.check);
    EXPECT_EQ(r.Value, c.value);
  }
}

TEST(ServiceInput, InputTestOfAChoiceAndItsTexts) {
  EXPECT_EQ(TestIngaveChoice(-1).Check, InputCheck::NoSelection);
  EXPECT_EQ(TestIngaveChoice(2).Value, 2);
  EXPECT_STREQ(InputCheckText(InputCheck::TooManyDigits).Key, "PanelTekst3");
  EXPECT_STREQ(InputCheckText(InputCheck::OutOfRange).Key, "PanelTekst2");
  EXPECT_STRNE(InputCheckText(InputCheck::NotANumber).Default, "");
  EXPECT_STRNE(InputCheckText(InputCheck::NoSelection).Default, "");
}

TEST(ServiceInput, OpeningComputesDecimalsAndIntegerDigits) {
  const IniDocument catalogue = IniDocument::FromText("[007]\ndec=9\n[008]\ndec=10\n[009]\ntype=2\n");
  Table parameters{};
  parameters[203] = 2;
  parameters[248] = 3;
  EXPECT_EQ(ResolveDecimalsCode(9, parameters), 2);
  EXPECT_EQ(ResolveDecimalsCode(10, parameters), 3);
  parameters[203] = 10;
  EXPECT_EQ(ResolveDecimalsCode(9, parameters), 3);  // 9 -> parameter 203 = 10 -> parameter 248
  parameters[203] = 2;

  EXPECT_EQ(IntegerDigits("-12,50", 2), 2);
  EXPECT_EQ(IntegerDigits("1000", 0), 4);
  EXPECT_EQ(IntegerDigits("5", 2), 1);
  TSelectedParameter selected;
  selected.MinimumText = "-1,00";
  selected.Minimum = -100;
  selected.MaximumText = "500,00";
  selected.Maximum = 50000;
  const NumberFieldRules rules = MakeNumberFieldRules(catalogue, 7, selected, parameters);
  EXPECT_EQ(rules.Decimals, 2);
  EXPECT_EQ(rules.MaxIntDigits, 3);
  EXPECT_EQ(rules.Minimum, -100);
  EXPECT_EQ(rules.Maximum, 50000);
  EXPECT_EQ(MakeNumberFieldRules(catalogue, 8, selected, parameters).Decimals, 3);
  EXPECT_TRUE(IsChoiceParameter(catalogue, 9));
  EXPECT_FALSE(IsChoiceParameter(catalogue, 7));
}

TEST(ServiceInput, NumberTextAndCaption) {
  EXPECT_EQ(ServiceParameterNumber("007"), 7);
  EXPECT_EQ(ServiceParameterNumber("315"), 315);
  EXPECT_FALSE(ServiceParameterNumber("316"));
  EXPECT_FALSE(ServiceParameterNumber(""));
  EXPECT_FALSE(ServiceParameterNumber("7a"));
  TSelectedParameter selected;
  selected.NumberText = "012";
  selected.Name = "Name";
  EXPECT_EQ(ServiceCaption(selected), "[012]   Name");
}

TEST(ServiceInput, ChoiceEntriesAndSelection) {
  const IniDocument catalogue = IniDocument::FromText("[252]\nopties0=Uit,Aan\n[253]\nopties0=#252\n");
  EXPECT_EQ(ChoiceEntries(catalogue, 252, 0), (std::vector<std::string>{"0 - Uit", "1 - Aan"}));
  EXPECT_EQ(ChoiceEntries(catalogue, 253, 0).size(), 2u);
  EXPECT_EQ(EntryForValue(2, 1), 1);
  EXPECT_EQ(EntryForValue(2, 2), -1);
  EXPECT_EQ(EntryForValue(2, -1), -1);
  EXPECT_EQ(EntryForDefault(2, "1"), 1);
  EXPECT_EQ(EntryForDefault(2, "1,0"), -1);
}

TEST(ServiceInput, Replies) {
  EXPECT_EQ(CheckWriteReply("wp 7 5\r\n"), WriteReply::Written);
  EXPECT_EQ(CheckWriteReply("er 7\r\n"), WriteReply::Refused);
  EXPECT_EQ(CheckWriteReply("rp 1\r\n"), WriteReply::Invalid);
  EXPECT_EQ(CheckWriteReply(""), WriteReply::Invalid);

  struct {
    const char* reply;
    ComputeReply outcome;
    const char* code;
  } const cases[] = {{"bp -1\r\n", ComputeReply::Computed, ""}, {"bp 12\r\n", ComputeReply::Failed, "12"},
                     {"bp\r\n", ComputeReply::Failed, ""},       {"rp -1\r\n", ComputeReply::Invalid, ""},
                     {"b", ComputeReply::Invalid, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    const ComputeResult r = CheckComputeReply(c.reply);
    EXPECT_EQ(r.Outcome, c.outcome);
    EXPECT_EQ(r.Code, c.code);
  }
}

}  // namespace
