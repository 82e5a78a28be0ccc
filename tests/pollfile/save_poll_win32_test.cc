// Saves where Windows names and keeps files its own way: read-only files, drive-relative
// paths, devices, names it refuses, and what a file carries besides its content.
#include <direct.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>
#include <string>

#include "pollfile/save_poll.h"
#include "pollfile/save_test_polls.h"
#include "system/status.h"
#include "temp_dir.h"

namespace hoops {

namespace {

// Windows keeps a file from being written with its read-only attribute.
TEST(SavePollWin32Test, AReadOnlyFileIsNotReplaced) {
  TempDir dir;
  writeFile(dir.file("old.txt"), "old\n");
  std::filesystem::permissions(dir.file("old.txt"),
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  std::string reason;
  EXPECT_FALSE(savePoll(largePoll(), dir.file("old.txt"), &reason));
  EXPECT_EQ(reason, errorText(EACCES));
  EXPECT_EQ(readFile(dir.file("old.txt")), "old\n");
  std::filesystem::permissions(dir.file("old.txt"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

TEST(SavePollWin32Test, NamesTheWindowsWay) {
  TempDir dir;
  const std::string folder = dir.file("");
  const std::string previous = std::filesystem::current_path().string();
  ASSERT_EQ(_chdir(folder.c_str()), 0);
  // "C:week13.txt" is week13.txt in the current folder of drive C.
  const std::string driveRelative = folder.substr(0, 2) + "week13.txt";
  EXPECT_TRUE(savePoll(largePoll(), driveRelative));
  ASSERT_EQ(_chdir(previous.c_str()), 0);
  EXPECT_EQ(readFile(dir.file("week13.txt")), fileText(largePoll()));
  EXPECT_EQ(filesIn(folder), 1u);
  // A device takes the poll; a name Windows refuses says so.
  EXPECT_TRUE(savePoll(largePoll(), "NUL"));
  std::string reason;
  EXPECT_FALSE(savePoll(largePoll(), dir.file("a?b.txt"), &reason));
  EXPECT_EQ(reason, "the system does not allow this name");
  EXPECT_EQ(filesIn(folder), 1u);
}

// Wine runs the Windows tests here; its ReplaceFileW moves the new file over the old one and
// keeps nothing of it, and its files have no streams.
bool underWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(SavePollWin32Test, KeepsAttributesAndStreams) {
  if (underWine()) GTEST_SKIP() << "Wine's ReplaceFileW keeps no attributes or streams";
  TempDir dir;
  const std::string path = dir.file("poll.txt");
  writeFile(path, "old\n");
  writeFile(path + ":note", "kept\n");
  const std::wstring wide = std::filesystem::path(path).wstring();
  ASSERT_NE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN), 0);
  ASSERT_TRUE(savePoll(largePoll(), path));
  EXPECT_EQ(readFile(path), fileText(largePoll()));
  EXPECT_NE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(readFile(path + ":note"), "kept\n");
}

}  // namespace

}  // namespace hoops
