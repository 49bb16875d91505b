#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "comm/RkGlobal.h"

namespace {

TEST(RkTexts, SystemErrorTextIsTheSystemsText) {
  EXPECT_EQ(SystemErrorText(ENOENT), std::strerror(ENOENT));
  EXPECT_EQ(SystemErrorText(0), "");
  EXPECT_FALSE(SystemErrorText(99999).empty());
}

}  // namespace
