#include "model/MessageText.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct WrapCase {
  const char* text;
  int width;
  const char* wrapped;
};

const WrapCase kWrapCases[] = {
    {"short text", 42, "short text"},
    {"aaa bbbb", 6, "aaa \r\nbbbb"},  // the blank stays at the end of its line
    {"aaa bbb ccc ddd", 7, "aaa bbb\r\nccc ddd"},  // the blank just past a full line is dropped
    {"well-known.fact", 6, "well-\r\nknown.\r\nfact"},
    {"a\tb c", 2, "a\t\r\nb \r\nc"},
    {"abcdefghij", 4, "abcd\r\nefgh\r\nij"},  // a word longer than the line is cut
    {"one\ntwo three", 5, "one\r\ntwo \r\nthree"},
    {"\xC3\xA9\xC3\xA9\xC3\xA9 x", 3, "\xC3\xA9\xC3\xA9\xC3\xA9\r\nx"},  // characters, not bytes
    {"", 42, ""},
    {"abc", 0, "abc"},
};

TEST(MessageText, WrapMessage) {
  for (const WrapCase& c : kWrapCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WrapMessage(c.text, c.width), c.wrapped);
  }
}

TEST(MessageText, WrappedLinesNeverExceedTheWidth) {
  const std::string text =
      "Parameters have been sent to the VQ2x that the device has not taken over yet. Please load them first with "
      "Load parameters into the VQ2x. Averyveryverylongwordthatdoesnotfitonanylineatall-indeed.";
  const std::string wrapped = WrapMessage(text);
  std::size_t start = 0;
  for (std::size_t end; (end = wrapped.find("\r\n", start)) != std::string::npos; start = end + 2)
    EXPECT_LE(end - start, 42u);
  EXPECT_LE(wrapped.size() - start, 42u);
}

TEST(MessageText, WarningsJoinTheirKeysInOrder) {
  const std::map<std::pair<std::string, std::string>, std::string> texts = {
      {{"EditParam", "ZendMsg_1"}, "one"},      {{"EditParam", "ZendMsg_6"}, "six"},
      {{"EditSollwert", "ZendMsg_10"}, "ten"}, {{"EditSollwert", "ZendMsg_50"}, "fifty"},
      {{"Afdrukken", "AfdrukMsg_1"}, "p1"},    {{"Afdrukken", "AfdrukMsg_50"}, "p50"},
      {{"EditParam", "Msg_ParGezondenEnNietGeladen"}, "Parameters have been sent but not taken over, close anyway?"},
  };
  const TextLookup lookup = [&](std::string_view section, std::string_view key) {
    const auto it = texts.find({std::string(section), std::string(key)});
    return it == texts.end() ? std::string() : it->second;
  };
  EXPECT_EQ(SendParametersWarning(lookup), "one\n\r\n\r\n\r\n\r\n\rsix");
  EXPECT_EQ(SendSetpointsWarning(lookup), "ten\n\r\n\r\n\r\n\rfifty");
  EXPECT_EQ(PrintParametersWarning(lookup), "p1\n\r\n\r\n\r\n\r\n\r");
  EXPECT_EQ(PrintSetpointsWarning(lookup), "\n\r\n\r\n\r\n\rp50");
  EXPECT_EQ(ParametersNotTakenOverWarning(lookup), "Parameters have been sent but not taken \r\nover, close anyway?");
}

}  // namespace
