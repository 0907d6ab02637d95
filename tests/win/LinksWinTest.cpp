#include <gtest/gtest.h>

#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Shell.h"
#include "platform/win/Win32Sound.h"
#include "player/Links.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::TempFolder;

class RecordingUi : public UserInterface {
 public:
  std::vector<std::string> Texts;
  MessageResult AskUser(const std::string& text, const std::string&, MessageIcon, MessageButtons) override {
    Texts.push_back(text);
    return MessageResult::Ok;
  }
  std::string ApplicationTitle() override { return "AutoRun"; }
};

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

// 0.1 s of an 8 kHz, 8-bit mono square wave.
std::string TinyWav() {
  std::string samples;
  for (int i = 0; i < 800; ++i) samples.push_back(static_cast<char>((i / 10) % 2 ? 0xA0 : 0x60));
  std::string fmt = "fmt " + Le(16, 4) + Le(1, 2) + Le(1, 2) + Le(8000, 4) + Le(8000, 4) + Le(1, 2) + Le(8, 2);
  std::string data = "data" + Le(static_cast<uint32_t>(samples.size()), 4) + samples;
  return "RIFF" + Le(static_cast<uint32_t>(4 + fmt.size() + data.size()), 4) + "WAVE" + fmt + data;
}

// Processes messages for up to ms milliseconds or until done() holds.
template <typename Done>
void PumpUntil(DWORD ms, Done done) {
  const DWORD start = ::GetTickCount();
  while (!done() && ::GetTickCount() - start < ms) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(10);
  }
}

std::string SystemFolder() {
  char dir[MAX_PATH];
  const UINT n = ::GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir, n);
}

TEST(Win32Shell, ReturnsTheShellsErrorCodesAndStartsProgramsWithParametersAndDirectory) {
  TempFolder folder;
  win::Win32Shell shell;
  EXPECT_EQ(shell.Execute("open", folder / "missing.exe", "", folder.Path().c_str(), SW_SHOWNORMAL), 2);
  ASSERT_TRUE(testing::WriteBytes(folder / "a.xyz", "data"));
  EXPECT_EQ(shell.Execute("open", folder / "a.xyz", "", "", SW_SHOWNORMAL), 31);

  // The started program writes into its working directory, which shows that both arrived.
  EXPECT_GT(
      shell.Execute("open", SystemFolder() + "\\cmd.exe", "/c echo started>out.txt", folder.Path().c_str(), SW_HIDE),
      32);
  PumpUntil(10000, [&] { return testing::ReadBytes(folder / "out.txt").rfind("started", 0) == 0; });
  EXPECT_EQ(testing::ReadBytes(folder / "out.txt").rfind("started", 0), 0u);
  // Let cmd end before the folder is removed.
  ::Sleep(200);
}

TEST(Win32Sound, OpensAWaveFileAndReportsAMissingOne) {
  TempFolder folder;
  ASSERT_TRUE(testing::WriteBytes(folder / "a.wav", TinyWav()));
  ASSERT_TRUE(testing::WriteBytes(folder / "b.wav", TinyWav()));
  ASSERT_TRUE(testing::WriteBytes(folder / "a.txt", "not a sound"));
  win::Win32Sound sound;
  EXPECT_EQ(sound.Open(folder / "missing.wav"), kSoundFileNotFound);
  EXPECT_FALSE(sound.IsOpen());
  EXPECT_NE(sound.Open(folder / "a.txt"), 0);
  EXPECT_FALSE(sound.IsOpen());

  ASSERT_EQ(sound.Open(folder / "a.wav"), 0);
  EXPECT_TRUE(sound.IsOpen());
  EXPECT_EQ(sound.Play(), 0);
  // Without a sound card the failure, with one the end, is notified to the player's window.
  PumpUntil(3000, [&] { return sound.LastNotification() != 0; });
  EXPECT_NE(sound.LastNotification(), 0u);
  // One sound at a time: the next file replaces the open device.
  EXPECT_EQ(sound.Open(folder / "b.wav"), 0);
  EXPECT_EQ(sound.Play(), 0);
  EXPECT_EQ(sound.Close(), 0);
  EXPECT_FALSE(sound.IsOpen());
  EXPECT_EQ(sound.Close(), 0);
}

// The portable sequence over the real file system and multimedia system.
TEST(Win32Sound, PlaySoundFileStartsAWaveAndFailsSilentlyForAFileNoDeviceOpens) {
  TempFolder folder;
  ASSERT_TRUE(testing::WriteBytes(folder / "a.wav", TinyWav()));
  ASSERT_TRUE(testing::WriteBytes(folder / "a.txt", "not a sound"));
  win::Win32FileSystem files;
  win::Win32Sound sound;
  RecordingUi ui;
  Platform env;
  env.Files = &files;
  env.Ui = &ui;
  env.Sound = &sound;
  AppState state(env);
  state.CDFolder = folder.Path();
  // The start sound's doubled backslash is one to the file system.
  EXPECT_TRUE(PlaySoundFile(state, state.CDFolder + "\\\\a.wav"));
  EXPECT_TRUE(sound.IsOpen());
  EXPECT_FALSE(PlaySoundFile(state, folder / "a.txt"));
  EXPECT_FALSE(PlaySoundFile(state, folder / "missing.wav"));
  EXPECT_EQ(ui.Texts, std::vector<std::string>{"The specified file was not found."});
}

}  // namespace
}  // namespace corvela
