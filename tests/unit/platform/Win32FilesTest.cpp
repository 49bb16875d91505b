#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/SystemText.h"
#include "platform/Utf16.h"

namespace {

// Names beyond the system's code page reach the file system whole: the
// program's UTF-8 is converted at the API.
TEST(Win32Files, WideNamesRoundTripAndReadOnlyFilesAreSeen) {
  const std::string folder = Utf8FromUtf16(std::filesystem::temp_directory_path().wstring()) +
                             "vq2x-\xC3\xBC-" + std::to_string(::GetCurrentProcessId());
  ASSERT_TRUE(::CreateDirectoryW(Utf16FromUtf8(folder).c_str(), nullptr));
  const std::string path = folder + "\\Pr\xC3\xBC" "fstand \xE2\x82\xAC.bak";
  std::string error, content;
  ASSERT_TRUE(WriteFileAtomically(path, "first", &error)) << error;
  ASSERT_TRUE(WriteFileAtomically(path, "second", &error)) << error;
  ASSERT_TRUE(ReadWholeFile(path, &content, 100, &error)) << error;
  EXPECT_EQ(content, "second");
  PathKind kind = PathKind::Missing;
  ASSERT_TRUE(InspectPath(path, kind));
  EXPECT_EQ(kind, PathKind::File);
  ASSERT_TRUE(InspectPath(folder + "\\none", kind));
  EXPECT_EQ(kind, PathKind::Missing);

  // A temporary left by a killed save goes with the next save; one that a
  // save still holds open stays.
  const std::wstring stale = Utf16FromUtf8(path + ".saving-Ab12Cd");
  const std::wstring held = Utf16FromUtf8(path + ".saving-Ef34Gh");
  std::FILE* left = ::_wfopen(stale.c_str(), L"wb");
  ASSERT_NE(left, nullptr);
  std::fclose(left);
  std::FILE* holder = ::_wfopen(held.c_str(), L"wb");
  ASSERT_NE(holder, nullptr);
  ASSERT_TRUE(WriteFileAtomically(path, "second", &error)) << error;
  EXPECT_EQ(::GetFileAttributesW(stale.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(::GetFileAttributesW(held.c_str()), INVALID_FILE_ATTRIBUTES);
  std::fclose(holder);

  EXPECT_FALSE(IsWriteProtected(path));
  ASSERT_TRUE(::SetFileAttributesW(Utf16FromUtf8(path).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(IsWriteProtected(path));
  ::SetFileAttributesW(Utf16FromUtf8(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove_all(Utf16FromUtf8(folder));
}

TEST(Win32Files, SystemTextsComeWithoutTheTrailingLineBreakAndStop) {
  const std::string text = SystemErrorMessage(ERROR_PATH_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  EXPECT_NE(text.back(), '.');
  EXPECT_EQ(SystemErrorMessage(0), "");
}

}  // namespace
