#include "comm/PortFailureCause.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "comm/RkGlobal.h"

namespace {

TEST(PortFailureCause, NamesWhatToDoForTheCommonFailures) {
  struct Row {
    int error;
    const char* mentions;  // nullptr: no hint
  };
  const Row rows[] = {{EACCES, "\"dialout\""}, {EPERM, "\"dialout\""},    {EBUSY, "ModemManager"},
                      {ENOENT, "no device"},   {ENXIO, "no device"},      {EIO, nullptr},
                      {0, nullptr}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.error);
    // Both from the number and from the exception's text, which is all the
    // port's exception carries.
    for (const std::string& cause : {PortFailureCause(PortFailureKindOf(row.error)),
                                      PortFailureCause(PortFailureKindOfText(SystemErrorText(row.error)))}) {
      if (row.mentions == nullptr)
        EXPECT_EQ(cause, "");
      else
        EXPECT_NE(cause.find(row.mentions), std::string::npos) << cause;
    }
  }
}

TEST(PortFailureCause, OtherTextsGiveNoHint) {
  EXPECT_EQ(PortFailureKindOfText("COM 1 is active!\r\n\r\nCannot change port"), PortFailureKind::Unexplained);
  EXPECT_EQ(PortFailureKindOfText(SystemErrorText(EACCES) + "\n"), PortFailureKind::Unexplained);
}

}  // namespace
