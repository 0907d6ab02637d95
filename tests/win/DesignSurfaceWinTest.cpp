// The design surface in-process: its picture against the menu window's inner panel, and the
// pictures a drag leaves against a full repaint.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <thread>

#include "app/win/Application.h"
#include "app/win/MainForm.h"
#include "designer/Commands.h"
#include "designer/win/EditForm.h"
#include "dialogs/win/DialogIds.h"
#include "player/win/AutoRunForm.h"
#include "player/win/Panes.h"
#include "project/Resources.h"
#include "support/win/DesignerDriver.h"
#include "support/win/Pixels.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::Capture;

class DesignSurfaceWin : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryA((folder / "cd").c_str(), nullptr);
    ASSERT_TRUE(testing::WriteBytes(folder / "Corvela.ini", "DefaultPath=" + (folder / "cd") + "\r\n"));
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

  Capture Picture() { return testing::ReadBitmap(app.Edit()->Picture()); }

  testing::TempFolder folder;
  win::Application app;
  AppState* state = nullptr;
};

TEST_F(DesignSurfaceWin, ThePictureIsTheMenuPanelWhereNoMarkIs) {
  app.Edit()->RefreshSurface();
  const Capture actual = Picture();
  // The menu window's inner panel painted the same way, with no marks.
  const Capture expected = testing::PrintClient(app.Menu()->InnerPanel());
  ASSERT_GT(actual.Width, 100);
  ASSERT_EQ(actual.Width, expected.Width);
  ASSERT_EQ(actual.Height, expected.Height);
  actual.Shot("design-surface");
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
  for (int y = 0; y < actual.Height; y += 3)
    for (int x = 0; x < actual.Width; x += 3) {
      if (nearObject(x, y)) continue;
      ++compared;
      differing += actual.At(x, y) != expected.At(x, y);
    }
  EXPECT_GT(compared, 1000);
  EXPECT_EQ(differing, 0);
  // Inside a label the picture shows the label as the panel paints it.
  const ControlBase& label = state->Project.Objects[0]->Base();
  EXPECT_EQ(actual.At(label.Left + 3, label.Top + label.Height / 2),
            expected.At(label.Left + 3, label.Top + label.Height / 2));
}

TEST_F(DesignSurfaceWin, ADragLeavesTheSamePictureAsAFullRepaint) {
  DesignSurface& surface = app.Edit()->Surface();
  // Select the button and the RTF pane, then drag them across the others in small steps.
  state->Project.Objects[1]->Selected = true;
  state->Project.Objects[3]->Selected = true;
  const ControlBase& button = state->Project.Objects[1]->Base();
  Point p{button.Left + 10, button.Top + 10};
  surface.MouseDown(MouseButton::Left, false, p, DesignTool::Select);
  for (int i = 0; i < 30; ++i) {
    p.X += 7;
    p.Y += (i % 2) ? 5 : -2;
    surface.MouseMove(p);
  }
  const Capture dragged = Picture();
  surface.MouseUp(false, p);  // the release re-makes the whole picture
  EXPECT_EQ(testing::Differences(dragged, Picture()), 0);
  EXPECT_GT(state->Project.Objects[1]->Base().Left, 200);
}

// A fixed frame cannot be dragged: the size typed into Form Properties is the inner area's, under
// the frame and panel border, and one undo step takes it back.
TEST_F(DesignSurfaceWin, FormPropertiesGivesTheMenuTheSizeTypedIn) {
  state->Project.Form.BorderStyle = 1;
  state->Project.Panel.BorderWidth = 6;
  state->View->FormSettingsChanged();
  ApplyFormSettings(*state);
  app.Edit()->FitToMenuWindow();
  const Size before = app.Edit()->InnerPanelSize();
  std::thread typist([] {
    HWND d = nullptr;
    testing::WaitFor(
        [&] {
          for (HWND box : testing::TopWindows(::GetCurrentProcessId(), "#32770"))
            if (::IsWindowVisible(box) && testing::WindowText(box) == "Form Properties") d = box;
          return d != nullptr;
        },
        5000);
    if (!d) return;
    testing::TypeInto(d, IDC_MENU_WIDTH, "500");
    testing::TypeInto(d, IDC_MENU_HEIGHT, "260");
    testing::PressOk(d, 5000);
  });
  app.Edit()->ExecuteCommand(cmdFormProperties);
  typist.join();
  EXPECT_EQ(app.Edit()->InnerPanelSize(), (Size{500, 260}));
  const Capture picture = Picture();
  EXPECT_EQ(picture.Width, 500);
  EXPECT_EQ(picture.Height, 260);
  EXPECT_EQ(app.Edit()->Surface().Steps().UndoText(), "Undo Menu Size");
  app.Edit()->ExecuteCommand(cmdUndo);
  EXPECT_EQ(app.Edit()->InnerPanelSize(), before);
}

// While an object is dragged its place and size show beside the pointer; where the readout was a
// step before, the window shows the picture again, and at the release the readout goes.
TEST_F(DesignSurfaceWin, TheDragReadoutFollowsThePointerAndLeavesNoTrail) {
  HWND surface = app.Edit()->hwnd();
  const POINT origin = app.Edit()->PictureOrigin();
  const ControlBase& label = state->Project.Objects[0]->Base();
  POINT p{origin.x + label.Left + 5, origin.y + label.Top + 5};
  ::SendMessageA(surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  std::optional<RECT> before;
  int trail = 0, compared = 0;
  for (int i = 0; i < 6; ++i) {
    p.x += 9;
    p.y += 4;
    ::SendMessageA(surface, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    ::UpdateWindow(surface);
    const std::optional<RECT> box = app.Edit()->ReadoutBox();
    ASSERT_TRUE(box);
    EXPECT_GT(box->left, p.x);
    EXPECT_GT(box->top, p.y);
    const Capture picture = Picture();
    HDC dc = ::GetDC(surface);
    EXPECT_EQ(::GetPixel(dc, box->left + 2, box->top + 1), ::GetSysColor(COLOR_INFOBK));
    if (before) {
      for (int y = before->top; y < before->bottom; ++y)
        for (int x = before->left; x < before->right; ++x) {
          const POINT at{x, y};
          if (::PtInRect(&*box, at)) continue;
          ++compared;
          trail += ::GetPixel(dc, x, y) != picture.At(x - origin.x, y - origin.y);
        }
    }
    ::ReleaseDC(surface, dc);
    before = box;
  }
  EXPECT_GT(compared, 100);
  EXPECT_EQ(trail, 0);
  ::SendMessageA(surface, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  EXPECT_FALSE(app.Edit()->ReadoutBox());
}

// An image without a picture shows a light frame to find it by; a pane above a label hides the
// label's frame as it hides the label.
TEST_F(DesignSurfaceWin, PlaceholdersAndFramesFollowWhatThePlayerShows) {
  DesignSurface& surface = app.Edit()->Surface();
  surface.AddObject(ObjectKind::Html, 50, 20);
  state->Project.Objects.back()->Base().Width = 60;
  state->Project.Objects.back()->Base().Height = 40;
  for (auto& obj : state->Project.Objects) obj->Selected = false;
  surface.RefreshSurface();
  const Capture picture = Picture();
  picture.Shot("design-surface-placeholders");
  const ControlBase& image = state->Project.Objects[2]->Base();
  EXPECT_EQ(picture.At(image.Left + image.Width / 2, image.Top), RGB(0xA0, 0xA0, 0xA0));
  EXPECT_EQ(picture.At(image.Left, image.Top + image.Height / 2), RGB(0xA0, 0xA0, 0xA0));
  const ControlBase& label = state->Project.Objects[0]->Base();
  // The frame's bottom edge, below the page's placeholder text.
  const int edge = label.Top + label.Height;
  int shown = 0;
  for (int x = 52; x < label.Left + label.Width - 1; ++x) shown += picture.At(x, edge) != RGB(255, 255, 255);
  EXPECT_EQ(shown, 0) << "the label's frame shows through the page above it";
  int outside = 0;  // left of the page the frame shows as before
  for (int x = label.Left; x < 49; ++x) outside += picture.At(x, edge) != picture.At(x, edge + 2);
  EXPECT_GT(outside, 0);
}

// The rich edit control prints its text without its scroll bar: the picture shows the bar, arrows
// and all, as the player does, and no placeholder over the document.
TEST_F(DesignSurfaceWin, ALoadedRichTextPaneShowsItsScrollBarAndNoPlaceholder) {
  std::string rtf = "{\\rtf1 ";
  for (int i = 0; i < 40; ++i) rtf += "line\\par ";
  ASSERT_TRUE(testing::WriteBytes(folder / "cd\\notes.rtf", rtf + "}"));
  MenuObject& pane = *state->Project.Objects[3];
  pane.FileName = "\\notes.rtf";
  ApplyObjectResources(*state, pane);
  app.Edit()->RefreshSurface();
  const Capture picture = Picture();
  picture.Shot("design-surface-rtf");
  const ControlBase& b = pane.Base();
  const int arrowWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  int dark = 0, placeholder = 0;
  for (int y = b.Top + 2; y < b.Top + 2 + ::GetSystemMetrics(SM_CYVSCROLL); ++y)
    for (int x = b.Left + b.Width - 2 - arrowWidth; x < b.Left + b.Width - 2; ++x)
      dark += picture.At(x, y) == ::GetSysColor(COLOR_BTNTEXT);
  // "[RTF]" was written at the pane's corner, reaching further right than each short line.
  for (int y = b.Top + 5; y < b.Top + 18; ++y)
    for (int x = b.Left + 24; x < b.Left + 40; ++x) placeholder += picture.At(x, y) == RGB(0, 0, 0);
  EXPECT_GT(dark, 3) << "no arrow on the scroll bar";
  EXPECT_EQ(placeholder, 0);
}

TEST_F(DesignSurfaceWin, ABandLeavesNoStrayFrameWhenARepaintCameBetween) {
  HWND surface = app.Edit()->hwnd();
  const POINT origin = app.Edit()->PictureOrigin();
  auto send = [&](UINT msg, int x, int y) {
    ::SendMessageA(surface, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(origin.x + x, origin.y + y));
  };
  // Differences between the window and the picture along the column x, rows top to bottom.
  auto differing = [&](int x, int top, int bottom) {
    const Capture picture = Picture();
    HDC dc = ::GetDC(surface);
    int count = 0;
    for (int y = top; y < bottom; ++y) count += ::GetPixel(dc, origin.x + x, origin.y + y) != picture.At(x, y);
    ::ReleaseDC(surface, dc);
    return count;
  };
  send(WM_LBUTTONDOWN, 5, 5);
  send(WM_MOUSEMOVE, 60, 60);
  // A repaint of the whole window lands while the band is shown.
  ::InvalidateRect(surface, nullptr, FALSE);
  ::UpdateWindow(surface);
  send(WM_MOUSEMOVE, 100, 100);
  EXPECT_EQ(differing(59, 10, 55), 0) << "the first band is still on screen";
  EXPECT_GT(differing(99, 10, 95), 0) << "the band is not shown";
  send(WM_LBUTTONUP, 100, 100);
  ::UpdateWindow(surface);
  EXPECT_EQ(differing(99, 10, 95), 0);
}

TEST_F(DesignSurfaceWin, FrontAndBackRestackThePanesAtOnce) {
  // The RTF pane (3) and the movie pane (4) lie at once above every painted object; the later
  // one above the earlier.
  auto paneOf = [&](size_t i) {
    auto* pane = dynamic_cast<win::Pane*>(state->Project.Objects[i]->Pane.get());
    return pane ? pane->Handle() : nullptr;
  };
  HWND rtf = paneOf(3), movie = paneOf(4);
  ASSERT_TRUE(rtf && movie);
  HWND panel = app.Menu()->InnerPanel();
  ASSERT_EQ(::GetWindow(panel, GW_CHILD), movie);
  DesignSurface& surface = app.Edit()->Surface();
  for (auto& obj : state->Project.Objects) obj->Selected = false;
  state->Project.Objects[3]->Selected = true;
  surface.BringSelectedToFront();
  EXPECT_EQ(::GetWindow(panel, GW_CHILD), rtf);
  surface.SendSelectedToBack();
  EXPECT_EQ(::GetWindow(panel, GW_CHILD), movie);
}

}  // namespace
}  // namespace corvela
