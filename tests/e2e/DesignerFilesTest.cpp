// The designer as a whole process on real folders: what Save writes, replaces and leaves alone.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "designer/Commands.h"
#include "platform/TextLines.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"
#include "support/win/DesignerDriver.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ChildProcess;
using testing::MessageBoxText;
using testing::ReadBytes;
using testing::WaitFor;
using testing::WindowText;
using testing::WriteBytes;

class DesignerFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryA(appData.c_str(), nullptr);
    ASSERT_NO_FATAL_FAILURE(testing::PrepareDesignerFolder(folder, cd, false));
    // The designers started here take their user settings folder from the environment.
    char saved[MAX_PATH] = {};
    hadAppData = ::GetEnvironmentVariableA("APPDATA", saved, sizeof saved) > 0;
    savedAppData = saved;
    ::SetEnvironmentVariableA("APPDATA", appData.c_str());
  }
  void TearDown() override { ::SetEnvironmentVariableA("APPDATA", hadAppData ? savedAppData.c_str() : nullptr); }

  void RememberCd() { ASSERT_TRUE(WriteBytes(ini, "DefaultPath=" + cd + "\r\n")); }

  // Starts the designer and finds its windows; with errorText, answers that error box first.
  void Start(const std::string& errorText = "") {
    designer = std::make_unique<ChildProcess>(exe);
    ASSERT_TRUE(designer->Started());
    if (!errorText.empty()) {
      HWND error = designer->WaitForDialog("Error", 15000);
      ASSERT_NE(error, nullptr);
      EXPECT_EQ(MessageBoxText(error), errorText);
      ::PostMessageA(error, WM_COMMAND, IDOK, 0);
      // Gone before File > Open is tried: a box still closing would be taken for Open's.
      EXPECT_TRUE(WaitFor([&] { return !::IsWindow(error); }, 5000));
    }
    testing::DesignerWindows windows;
    ASSERT_NO_FATAL_FAILURE(testing::WaitForDesigner(*designer, cd, windows));
    main = windows.Main;
    edit = windows.Edit;
    toolbar = windows.Toolbar;
  }

  void PlaceLabel() {
    ::SendMessageA(toolbar, TB_CHECKBUTTON, cmdToolLabel, TRUE);
    ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    ::SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
  }

  // Waits for a message box of the designer with the caption, checks its text and answers it.
  void Answer(const std::string& caption, const std::string& text, int answer) {
    HWND box = designer->WaitForDialog(caption, 5000);
    ASSERT_NE(box, nullptr) << text;
    EXPECT_EQ(MessageBoxText(box), text);
    ::PostMessageA(box, WM_COMMAND, answer, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }, 3000));
  }

  void CloseUnasked() {
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(designer->WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
  }

  testing::TempFolder folder;
  std::string cd = folder / "cd", exe = folder / "Corvela.exe", ini = folder / "Corvela.ini";
  std::string appData = folder / "appdata", mnx = cd + "\\AutoRun.mnx";
  std::unique_ptr<ChildProcess> designer;
  HWND main = nullptr, edit = nullptr, toolbar = nullptr;
  bool hadAppData = false;
  std::string savedAppData;
};

constexpr const char* kReplaceQuestion =
    "AutoRun.mnx in this folder could not be read. Replace it with the menu on screen?";

TEST_F(DesignerFiles, AProjectThatCannotBeReadIsReplacedOnlyWhenTheUserSaysSo) {
  RememberCd();
  const std::string junk = "PK\x03\x04 not a menu";
  ASSERT_TRUE(WriteBytes(mnx, junk));
  Start("File format not match");
  // A new project on a normal design surface, not a borderless window the size of the screen.
  EXPECT_TRUE(WaitFor([&] { return WindowText(edit) == "AutoRun [Design]"; }, 3000));
  EXPECT_TRUE(::GetWindowLongA(edit, GWL_STYLE) & WS_CAPTION);
  RECT rc{};
  ::GetWindowRect(edit, &rc);
  EXPECT_LT(rc.right - rc.left, ::GetSystemMetrics(SM_CXSCREEN));
  PlaceLabel();

  // Save asks, with No the default; No writes nothing.
  ::PostMessageA(main, WM_COMMAND, cmdSave, 0);
  HWND box = designer->WaitForDialog("Corvela", 5000);
  ASSERT_NE(box, nullptr);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &gui));
  EXPECT_EQ(gui.hwndFocus, ::GetDlgItem(box, IDNO));
  Answer("Corvela", kReplaceQuestion, IDNO);
  // The close question's Yes asks too; No keeps the designer open.
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  Answer("Exit", "Save Changes to file?", IDYES);
  Answer("Corvela", kReplaceQuestion, IDNO);
  EXPECT_FALSE(designer->WaitForExit(500));
  EXPECT_EQ(ReadBytes(mnx), junk);
  EXPECT_EQ(::GetFileAttributesA((cd + "\\autorun.inf").c_str()), INVALID_FILE_ATTRIBUTES);

  // Yes replaces it with the menu on screen, and the close then asks nothing.
  ::PostMessageA(main, WM_COMMAND, cmdSave, 0);
  Answer("Corvela", kReplaceQuestion, IDYES);
  testing::FakeWorld saved;
  EXPECT_TRUE(WaitFor([&] { return ParseProject(saved.State, ReadBytes(mnx)) == ParseOutcome::Loaded; }, 5000));
  EXPECT_EQ(saved.State.Project.Objects.size(), 1u);
  CloseUnasked();
}

// An install whose own settings file may not be written (a read-only file, as under Program
// Files): Save still succeeds, and the settings live in the user's folder from then on.
TEST_F(DesignerFiles, SettingsThatCannotBeWrittenBesideTheExeGoToTheUsersFolder) {
  RememberCd();
  ASSERT_TRUE(::SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  Start();
  PlaceLabel();
  ::PostMessageA(main, WM_COMMAND, cmdSave, 0);
  EXPECT_TRUE(WaitFor([&] { return ::GetFileAttributesA(mnx.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000));
  EXPECT_EQ(designer->WaitForDialog("Error", 1000), nullptr);
  EXPECT_EQ(ReadBytes(appData + "\\Corvela\\Corvela.ini"), std::string(kUtf8Mark) + "DefaultPath=" + cd + "\r\n");
  CloseUnasked();  // the save cleared Modified

  // Without a file beside the exe the next start opens the folder from the user's settings.
  ::SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(::DeleteFileA(ini.c_str()));
  Start();
  CloseUnasked();
}

// A folder filled from another disc: its player is replaced by this designer's, the icon the
// user chose stays, and what an interrupted save left is not burnt.
TEST_F(DesignerFiles, SaveMakesThePlayerThisDesignersKeepsTheIconAndClearsLeftovers) {
  RememberCd();
  const std::string player = cd + "\\AutoRun.exe", icon = cd + "\\AutoRun.ico";
  ASSERT_TRUE(WriteBytes(player, "MZ another disc's player"));
  ASSERT_TRUE(WriteBytes(icon, "the user's icon"));
  ASSERT_TRUE(WriteBytes(mnx + ".saving", "half a project"));
  ASSERT_TRUE(WriteBytes(cd + "\\autorun.inf.tmp", "half an inf"));
  Start();
  ::PostMessageA(main, WM_COMMAND, cmdSave, 0);
  const std::string designerBytes = ReadBytes(exe);
  EXPECT_TRUE(WaitFor([&] { return ::GetFileAttributesA(mnx.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000));
  EXPECT_TRUE(ReadBytes(player) == designerBytes);
  EXPECT_EQ(ReadBytes(icon), "the user's icon");
  for (const std::string& leftover : {mnx + ".saving", cd + "\\autorun.inf.tmp", player + ".saving"})
    EXPECT_EQ(::GetFileAttributesA(leftover.c_str()), INVALID_FILE_ATTRIBUTES) << leftover;
  CloseUnasked();
}

// "my cd\AutoRun.exe" started unquoted would run "my.exe" beside the folder.
TEST_F(DesignerFiles, SaveAndTestStartsThePlayerOfAFolderWithASpace) {
  cd = folder / "my cd";
  mnx = cd + "\\AutoRun.mnx";
  ::CreateDirectoryA(cd.c_str(), nullptr);
  RememberCd();
  ASSERT_TRUE(testing::CopyFromExeFolder("Corvela.exe", folder / "my.exe"));
  Start();
  ::PostMessageA(main, WM_COMMAND, cmdSaveAndTest, 0);
  HWND player = nullptr;
  EXPECT_TRUE(WaitFor(
      [&] {
        for (HWND w : testing::TopWindows(0, "TAutoRunForm"))
          if (::IsWindowVisible(w)) player = w;
        return player != nullptr;
      },
      10000));
  // Anything else started, the wrong program among it, is ended here.
  std::vector<HWND> designers = testing::TopWindows(0, "TMainForm");
  for (HWND w : designers) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == designer->Id()) continue;
    corvela::win::UniqueKernelHandle other(::OpenProcess(PROCESS_TERMINATE, FALSE, pid));
    if (other) ::TerminateProcess(other.get(), 99);
  }
  EXPECT_EQ(designers.size(), 1u);
  if (player) {
    ::PostMessageA(player, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(player); }, 3000));
  }
  CloseUnasked();
}

// A 24-bit Windows bitmap of one colour.
std::string SolidBitmap(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t pixels = static_cast<uint32_t>(stride * height), size = 54 + pixels;
  std::string bmp(size, '\0');
  auto put = [&](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<uint32_t>(width), 4);
  put(22, static_cast<uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, pixels, 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const size_t at = 54 + static_cast<size_t>(y * stride + x * 3);
      bmp[at] = static_cast<char>(b);
      bmp[at + 1] = static_cast<char>(g);
      bmp[at + 2] = static_cast<char>(r);
    }
  return bmp;
}

// A menu made of a picture from outside the CD folder: the designer offers to copy it in, the
// copy is saved with the menu, and the disc image holds both. With CORVELA_E2E_IMAGE set, the
// image is also kept at that path, for e2e.sh to read back with another ISO reader and play.
TEST_F(DesignerFiles, APictureFromElsewhereIsCopiedInSavedAndBurntIntoTheImage) {
  RememberCd();
  const std::string photos = folder / "photos", picture = photos + "\\sea.bmp", image = folder / "menu.iso";
  ::CreateDirectoryA(photos.c_str(), nullptr);
  const std::string bytes = SolidBitmap(96, 64, 200, 40, 160);
  ASSERT_TRUE(WriteBytes(picture, bytes));
  Start();
  ::SendMessageA(toolbar, TB_CHECKBUTTON, cmdToolImage, TRUE);
  ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
  ::SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(40, 40));

  // Object Properties, Select..., the picture typed into the Open box; the copy question's Yes.
  ::PostMessageA(main, WM_COMMAND, cmdObjectProperties, 0);
  HWND properties = designer->WaitForDialog("Image Properties", 5000);
  ASSERT_NE(properties, nullptr);
  ::PostMessageA(properties, WM_COMMAND, MAKEWPARAM(1303, BN_CLICKED), 0);  // the picture's Select...
  HWND open = designer->WaitForDialog("Open", 5000);
  ASSERT_NE(open, nullptr);
  HWND name = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (name = testing::FirstVisibleEdit(open)) != nullptr; }, 3000));
  ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));
  ::PostMessageA(open, WM_COMMAND, IDOK, 0);
  Answer("Copy into the CD folder",
         "Copy \"sea.bmp\" into the CD folder?\n\nYes copies it into \"" + cd +
             "\"; No lets you choose another place in the CD folder.",
         IDYES);
  ::PostMessageA(properties, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(properties); }, 5000));
  EXPECT_EQ(ReadBytes(cd + "\\sea.bmp"), bytes);

  ::PostMessageA(main, WM_COMMAND, cmdSave, 0);
  testing::FakeWorld saved;
  ASSERT_TRUE(WaitFor([&] { return ParseProject(saved.State, ReadBytes(mnx)) == ParseOutcome::Loaded; }, 5000));
  ASSERT_EQ(saved.State.Project.Objects.size(), 1u);
  EXPECT_EQ(saved.State.Project.Objects[0]->FileName, "\\sea.bmp");

  // File > Make ISO Image: the image's name typed into the Save box; a check list that has
  // something to say is gone past; the progress box closed once the image is written.
  ::PostMessageA(main, WM_COMMAND, cmdMakeIsoImage, 0);
  HWND saveBox = designer->WaitForDialog("Save the Disc Image As", 5000);
  ASSERT_NE(saveBox, nullptr);
  ASSERT_TRUE(WaitFor([&] { return (name = testing::FirstVisibleEdit(saveBox)) != nullptr; }, 3000));
  ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(image.c_str()));
  ::PostMessageA(saveBox, WM_COMMAND, IDOK, 0);
  HWND progress = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        if (HWND check = designer->WaitForDialog("Check Disc", 0))
          ::PostMessageA(check, WM_COMMAND, IDOK, 0);
        return (progress = designer->WaitForDialog("Make ISO Image", 0)) != nullptr;
      },
      20000));
  ASSERT_TRUE(WaitFor([&] { return WindowText(::GetDlgItem(progress, IDCANCEL)) == "Close"; }, 60000));
  ::PostMessageA(progress, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(progress); }, 5000));
  EXPECT_GT(ReadBytes(image).size(), 32768u + bytes.size());
  if (const char* keep = std::getenv("CORVELA_E2E_IMAGE")) {
    EXPECT_TRUE(::CopyFileA(image.c_str(), keep, FALSE));
  }
  CloseUnasked();
}

}  // namespace
}  // namespace corvela
