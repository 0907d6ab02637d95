#pragma once
// The menu window in-process: an AutoRunForm over the real file system, screen, pictures and text
// measurer, with fakes where the outside world would be touched (the user's answers, the clock, the
// shell, the sound device). Every real message box is answered and must be expected.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Graphics.h"
#include "platform/win/Win32Services.h"
#include "project/win/Win32Text.h"
#include "player/win/AutoRunForm.h"
#include "project/ProjectFile.h"
#include "project/Resources.h"
#include "support/FakePlatform.h"
#include "support/win/WinProcess.h"

namespace corvela::testing {

class MenuWindowTest : public ::testing::Test {
 protected:
  MenuWindowTest() {
    env.Files = &files;
    env.Display = &screen;
    env.Graphics = &graphics;
    env.Text = &text;
    // A plain BackColor background, so that pixels are known without the gradient.
    state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
    state.CDFolder = folder.Path();
  }

  // The designer's menu window; the player's is made by StartPlayer.
  void SetUp() override {
    // Away from the window, so that the real pointer sends it nothing.
    ::SetCursorPos(2, 2);
    ASSERT_TRUE(form.Create());
    state.View = &form;
    pump.For(50);  // Timer1 ticks in designer mode and only switches itself off
  }

  void TearDown() override {
    state.DesignerMode = true;  // a player's window would end the message loop as it goes
    EXPECT_EQ(boxes.Boxes(), std::vector<std::string>{});
    EXPECT_EQ(ui.Texts(), expectedTexts);
  }

  // Applies the window settings and the objects' resources and shows the window, without a frame
  // unless the project has one, at 100, 100.
  void Show(int width = 300, int height = 200) {
    FormSettings& f = state.Project.Form;
    f.Left = f.Top = 100;
    f.Width = width;
    f.Height = height;
    form.FormSettingsChanged();
    ApplyAllObjectResources(state);
    ::ShowWindow(form.hwnd(), SW_SHOWNA);
    ::SetWindowPos(form.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump.For(100);
  }

  // An object at the bounds; labels do not size themselves.
  MenuObject& Add(ObjectKind kind, int left, int top, int width, int height) {
    auto obj = std::make_unique<MenuObject>(kind);
    obj->Base().Left = left;
    obj->Base().Top = top;
    obj->Base().Width = width;
    obj->Base().Height = height;
    if (LabelControl* label = obj->AsLabel()) label->AutoSize = false;
    state.Project.Objects.push_back(std::move(obj));
    RenumberTags(state);
    return *state.Project.Objects.back();
  }

  // Writes a file into the CD folder and gives its stored path.
  std::string File(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(WriteBytes(folder / name, bytes));
    return "\\" + name;
  }

  HWND PaneOf(MenuObject& obj) {
    auto* pane = dynamic_cast<win::Pane*>(obj.Pane.get());
    return pane ? pane->Handle() : nullptr;
  }

  // Saves the project fill makes as the CD folder's AutoRun.mnx, then creates and shows the
  // window the way the player's start-up does and lets its start run.
  void StartPlayer(const std::function<void(AppState&)>& fill) {
    state.DesignerMode = false;
    state.ProjectFileName = folder / "AutoRun.mnx";
    FakeUi quiet;
    Platform writerEnv = env;
    writerEnv.Ui = &quiet;
    AppState writer(writerEnv);
    fill(writer);
    ASSERT_TRUE(SaveProjectFile(writer, state.ProjectFileName));
    ASSERT_TRUE(form.Create());
    state.View = &form;
    // The window shows itself. The start is over once the window has its size (or is gone).
    pump.Until(
        [&] {
          RECT rc{};
          return !form.hwnd() || (::GetWindowRect(form.hwnd(), &rc) && rc.right > rc.left);
        },
        3000);
    pump.For(100);
  }

  BoxAnswerer boxes;
  std::vector<std::string> expectedTexts;  // what the fake user interface must have been told
  MessagePump pump;
  TempFolder folder;
  win::Win32FileSystem files;
  win::Win32Screen screen;
  win::Win32GraphicLoader graphics;
  win::Win32TextMeasurer text;
  FakeWorld world;
  Platform& env = world.Env;
  AppState& state = world.State;
  FakeUi& ui = world.Ui;
  FakeShell& shell = world.Launcher;
  FakeSoundPlayer& sound = world.Sound;
  win::AutoRunForm form{state};
};

}  // namespace corvela::testing
