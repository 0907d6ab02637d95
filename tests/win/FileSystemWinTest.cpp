// The Win32 file system with names in other scripts. The portable code's paths are UTF-8; what
// reaches the disk is checked through the wide-character functions with wide literals, since
// 8-bit calls would round-trip their own garbled names and pass everything else.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/TextLines.h"
#include "platform/win/WideText.h"
#include "platform/win/Win32FileSystem.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

bool IsFolderOnDisk(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Names(win::Win32FileSystem& files, const std::string& folder) {
  std::vector<FolderEntry> entries;
  EXPECT_TRUE(files.ListFolder(folder, entries)) << folder;
  std::vector<std::string> names;
  for (const FolderEntry& e : entries) names.push_back(e.Name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WideFileSystem, GreekAndChineseNamesWorkThroughTheWholeInterface) {
  testing::TempFolder root;
  win::Win32FileSystem files;
  const std::wstring wideRoot = win::Wide(root.Path());
  const std::string folder = root / "Μενού 菜单";
  ASSERT_TRUE(files.CreateFolder(folder));
  EXPECT_TRUE(IsFolderOnDisk(wideRoot + L"\\Μενού 菜单"));
  EXPECT_TRUE(files.DirectoryExists(folder));
  EXPECT_TRUE(files.CreateFolder(folder));  // there already

  // A file made by another program under its wide name is found, read and written.
  {
    win::UniqueFile made(::CreateFileW((wideRoot + L"\\Μενού 菜单\\Καλωσόρισμα 欢迎.txt").c_str(), GENERIC_WRITE, 0,
                                       nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(made);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(made.get(), "abc", 3, &written, nullptr));
  }
  const std::string file = folder + "\\Καλωσόρισμα 欢迎.txt";
  EXPECT_TRUE(files.FileExists(file));
  EXPECT_FALSE(files.DirectoryExists(file));
  EXPECT_TRUE(files.CanWriteFile(file));
  std::string bytes, error;
  ASSERT_TRUE(files.ReadFile(file, bytes, error)) << error;
  EXPECT_EQ(bytes, "abc");
  EXPECT_EQ(Names(files, folder), std::vector<std::string>{"Καλωσόρισμα 欢迎.txt"});

  // The safe save writes its temporary file and moves it over the old one.
  ASSERT_TRUE(files.SaveFileSafely(file, "νέο κείμενο", error)) << error;
  ASSERT_TRUE(files.ReadFile(file, bytes, error)) << error;
  EXPECT_EQ(bytes, "νέο κείμενο");
  const std::string copy = folder + "\\Αντίγραφο 副本.txt";
  ASSERT_TRUE(files.CopyOneFile(file, copy));
  ASSERT_TRUE(files.WriteFile(folder + "\\新.txt", "new", error)) << error;
  EXPECT_EQ(Names(files, folder), (std::vector<std::string>{"Αντίγραφο 副本.txt", "Καλωσόρισμα 欢迎.txt", "新.txt"}));
  EXPECT_NE(::GetFileAttributesW((wideRoot + L"\\Μενού 菜单\\新.txt").c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_TRUE(files.RemoveFile(file));
  EXPECT_FALSE(files.FileExists(file));
  EXPECT_EQ(::GetFileAttributesW((wideRoot + L"\\Μενού 菜单\\Καλωσόρισμα 欢迎.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  // The error names the file as the caller wrote it.
  EXPECT_FALSE(files.ReadFile(file, bytes, error));
  EXPECT_EQ(error.rfind("Cannot open file \"" + file + "\". ", 0), 0u) << error;
}

// The settings file: UTF-8 behind its mark as the designer writes it, and 8-bit text of the
// system's code page as earlier designers wrote it.
TEST(WideFileSystem, TextFilesAreUtf8AfterTheMarkAndInTheSystemCodePageWithout) {
  if (::GetACP() != 1252) GTEST_SKIP() << "the expected text is that of code page 1252";
  testing::TempFolder root;
  win::Win32FileSystem files;
  ASSERT_TRUE(testing::WriteBytes(root / "marked.ini", std::string(kUtf8Mark) + "DefaultPath=C:\\Μενού 菜单\r\n"));
  ASSERT_TRUE(testing::WriteBytes(root / "plain.ini", "DefaultPath=C:\\Caf\xE9 \x80\r\n"));
  std::string text, error;
  ASSERT_TRUE(files.ReadTextFile(root / "marked.ini", text, error)) << error;
  EXPECT_EQ(text, "DefaultPath=C:\\Μενού 菜单\r\n");
  ASSERT_TRUE(files.ReadTextFile(root / "plain.ini", text, error)) << error;
  EXPECT_EQ(text, "DefaultPath=C:\\Café €\r\n");
  EXPECT_FALSE(files.ReadTextFile(root / "missing.ini", text, error));
}

TEST(WideFileSystem, TheUserSettingsFolderComesBackWhole) {
  wchar_t saved[MAX_PATH] = {};
  const DWORD had = ::GetEnvironmentVariableW(L"APPDATA", saved, MAX_PATH);
  ASSERT_TRUE(::SetEnvironmentVariableW(L"APPDATA", L"C:\\users\\Σοφία\\应用数据"));
  win::Win32FileSystem files;
  const std::string folder = files.UserSettingsFolder();
  ::SetEnvironmentVariableW(L"APPDATA", had ? saved : nullptr);
  EXPECT_EQ(folder, "C:\\users\\Σοφία\\应用数据");
}

}  // namespace
}  // namespace corvela
