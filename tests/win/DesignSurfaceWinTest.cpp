// The design surface in-process: its picture against the menu window's inner panel, and the
// pictures a drag leaves against a full repaint.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/win/Application.h"
#include "app/win/MainForm.h"
#include "designer/win/EditForm.h"
#include "player/win/AutoRunForm.h"
#include "project/Resources.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::TempFolder;

// Pixels of a bitmap as 0x00RRGGBB rows.
std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  for (auto& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

class DesignSurfaceWin : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryA((folder / "cd").c_str(), nullptr);
    std::ofstream(folder / "Corvela.ini") << "DefaultPath=" << (folder / "cd") << "\r\n";
    ASSERT_TRUE(app.Start(folder / "Corvela.exe"));
    state = &app.State();
    // A menu of painted objects and panes that overlap.
    const ObjectKind kinds[] = {ObjectKind::Label, ObjectKind::Button, ObjectKind::Image, ObjectKind::Rtf,
                                ObjectKind::Movie, ObjectKind::Button, ObjectKind::Label};
    int i = 0;
    for (ObjectKind kind : kinds) {
      auto obj = MakeNewObject(kind);
      obj->Selected = false;
      obj->Base().Left = 20 + 60 * i;
      obj->Base().Top = 30 + 25 * i;
      state->Project.Objects.push_back(std::move(obj));
      ++i;
    }
    RenumberTags(*state);
    ApplyAllObjectResources(*state);
    app.Edit()->FitToMenuWindow();
  }
  void TearDown() override {
    state->Modified = false;
    app.Main()->ClosingAllowed = true;
  }
  ~DesignSurfaceWin() override {
    // The main window's end posts a quit that must not end later tests' modal loops.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  std::vector<uint32_t> Picture() {
    SurfaceSize size = app.Edit()->InnerPanelSize();
    return PixelsOf(app.Edit()->Picture(), size.Width, size.Height);
  }

  TempFolder folder;
  win::Application app;
  AppState* state = nullptr;
};

TEST_F(DesignSurfaceWin, ThePictureIsTheMenuPanelWhereNoMarkIs) {
  app.Edit()->RefreshSurface();
  SurfaceSize size = app.Edit()->InnerPanelSize();
  ASSERT_GT(size.Width, 100);
  // The menu window's inner panel painted the same way, with no marks.
  HDC screen = ::GetDC(nullptr);
  HBITMAP panel = ::CreateCompatibleBitmap(screen, size.Width, size.Height);
  HDC dc = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(dc, panel);
  ::SendMessageA(app.Menu()->InnerPanel(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  std::vector<uint32_t> expected = PixelsOf(panel, size.Width, size.Height);
  ::DeleteObject(panel);
  std::vector<uint32_t> actual = Picture();
  // Compare away from every object's frame and away from the panes, which the panel itself
  // does not paint.
  auto nearObject = [&](int x, int y) {
    for (const auto& obj : state->Project.Objects) {
      const ControlBase& b = obj->Base();
      if (x >= b.Left - 5 && x <= b.Left + b.Width + 5 && y >= b.Top - 5 && y <= b.Top + b.Height + 5) return true;
    }
    return false;
  };
  int compared = 0, differing = 0;
  for (int y = 0; y < size.Height; y += 3)
    for (int x = 0; x < size.Width; x += 3) {
      if (nearObject(x, y)) continue;
      ++compared;
      differing += actual[static_cast<size_t>(y) * size.Width + x] != expected[static_cast<size_t>(y) * size.Width + x];
    }
  EXPECT_GT(compared, 1000);
  EXPECT_EQ(differing, 0);
  // Inside a label the picture shows the label as the panel paints it.
  const ControlBase& label = state->Project.Objects[0]->Base();
  size_t inside = static_cast<size_t>(label.Top + label.Height / 2) * size.Width + label.Left + 3;
  EXPECT_EQ(actual[inside], expected[inside]);
}

TEST_F(DesignSurfaceWin, ADragLeavesTheSamePictureAsAFullRepaint) {
  DesignSurface& surface = app.Edit()->Surface();
  // Select the button and the RTF pane, then drag them across the others in small steps.
  state->Project.Objects[1]->Selected = true;
  state->Project.Objects[3]->Selected = true;
  const ControlBase& button = state->Project.Objects[1]->Base();
  SurfacePoint p{button.Left + 10, button.Top + 10};
  surface.MouseDown(MouseButton::Left, false, p, DesignTool::Select);
  for (int i = 0; i < 30; ++i) {
    p.X += 7;
    p.Y += (i % 2) ? 5 : -2;
    surface.MouseMove(p);
  }
  std::vector<uint32_t> dragged = Picture();
  surface.MouseUp(false, p);  // the release re-makes the whole picture
  std::vector<uint32_t> full = Picture();
  ASSERT_EQ(dragged.size(), full.size());
  size_t differing = 0;
  for (size_t i = 0; i < full.size(); ++i) differing += dragged[i] != full[i];
  EXPECT_EQ(differing, 0u);
  EXPECT_GT(state->Project.Objects[1]->Base().Left, 200);
}

}  // namespace
}  // namespace corvela
