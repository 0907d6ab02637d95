// The shell and sound services against the real system.
#include <gtest/gtest.h>

#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Shell.h"
#include "platform/win/Win32Sound.h"
#include "player/Links.h"
#include "support/FakePlatform.h"
#include "support/win/TestFiles.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::TempFolder;

TEST(Win32Shell, ReturnsTheShellsErrorCodesAndStartsProgramsWithParametersAndDirectory) {
  TempFolder folder;
  win::Win32Shell shell;
  EXPECT_EQ(shell.Execute("open", folder / "missing.exe", "", folder.Path().c_str(), SW_SHOWNORMAL), 2);
  ASSERT_TRUE(testing::WriteBytes(folder / "a.xyz", "data"));
  EXPECT_EQ(shell.Execute("open", folder / "a.xyz", "", "", SW_SHOWNORMAL), 31);
  // A name in Greek and Chinese reaches the shell whole: the file is found, and has no program.
  const std::string named = folder / "\xCE\xBF\xCE\xB4\xCE\xB7\xCE\xB3\xCF\x8C\xCF\x82 \xE8\xAF\xB4\xE6\x98\x8E.xyz";
  ASSERT_TRUE(testing::WriteBytes(named, "data"));
  EXPECT_EQ(shell.Execute("open", named, "", folder.Path().c_str(), SW_SHOWNORMAL), 31);

  // The started program writes into its working directory, which shows that both arrived.
  char system[MAX_PATH];
  const std::string cmd = std::string(system, ::GetSystemDirectoryA(system, MAX_PATH)) + "\\cmd.exe";
  EXPECT_GT(shell.Execute("open", cmd, "/c echo started>out.txt", folder.Path().c_str(), SW_HIDE), 32);
  EXPECT_TRUE(testing::WaitFor([&] { return testing::ReadBytes(folder / "out.txt").rfind("started", 0) == 0; }, 10000));
  // Let cmd end before the folder is removed.
  ::Sleep(200);
}

TEST(Win32Sound, OpensAWaveFileAndReportsAMissingOne) {
  TempFolder folder;
  ASSERT_TRUE(testing::WriteBytes(folder / "a.wav", testing::TinyWav()));
  ASSERT_TRUE(testing::WriteBytes(folder / "b.wav", testing::TinyWav()));
  ASSERT_TRUE(testing::WriteBytes(folder / "a.txt", "not a sound"));
  win::Win32Sound sound;
  EXPECT_EQ(sound.Open(folder / "missing.wav"), kSoundFileNotFound);
  EXPECT_FALSE(sound.IsOpen());
  EXPECT_NE(sound.Open(folder / "a.txt"), 0);
  EXPECT_FALSE(sound.IsOpen());

  // A start sound named in Arabic opens as any other.
  const std::string arabic = folder / "\xD8\xB5\xD9\x88\xD8\xAA.wav";
  ASSERT_TRUE(testing::WriteBytes(arabic, testing::TinyWav()));
  EXPECT_EQ(sound.Open(arabic), 0);
  EXPECT_EQ(sound.Close(), 0);

  ASSERT_EQ(sound.Open(folder / "a.wav"), 0);
  EXPECT_TRUE(sound.IsOpen());
  EXPECT_EQ(sound.Play(), 0);
  // Without a sound card the failure, with one the end, is notified to the player's window.
  testing::MessagePump pump;
  EXPECT_TRUE(pump.Until([&] { return sound.LastNotification() != 0; }, 3000));
  // One sound at a time: the next file replaces the open device.
  EXPECT_EQ(sound.Open(folder / "b.wav"), 0);
  EXPECT_EQ(sound.Play(), 0);
  EXPECT_EQ(sound.Close(), 0);
  EXPECT_FALSE(sound.IsOpen());
  EXPECT_EQ(sound.Close(), 0);

  // The portable sequence over the real devices: the start sound's doubled backslash is one to the
  // file system, and only a missing file is reported.
  win::Win32FileSystem files;
  testing::FakeUi ui;
  Platform env;
  env.Files = &files;
  env.Ui = &ui;
  env.Sound = &sound;
  AppState state(env);
  state.CDFolder = folder.Path();
  EXPECT_TRUE(PlaySoundFile(state, state.CDFolder + "\\\\a.wav"));
  EXPECT_TRUE(sound.IsOpen());
  EXPECT_FALSE(PlaySoundFile(state, folder / "a.txt"));
  EXPECT_FALSE(PlaySoundFile(state, folder / "missing.wav"));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"The specified file was not found."});
}

}  // namespace
}  // namespace corvela
