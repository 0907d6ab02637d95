#include <gtest/gtest.h>

#include "designer/DragDamage.h"
#include "designer/SurfaceFrame.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

struct DragDamageFixture : ::testing::Test {
  MenuProject Project;
  MenuObject& Add(int32_t l, int32_t t, int32_t w, int32_t h, bool selected) {
    return testing::AddBox(Project, l, t, w, h, selected);
  }
};

TEST_F(DragDamageFixture, TakesTheSelectedObjectsOldAndNewPlacesWithFramesAndHandles) {
  MenuObject& moved = Add(10, 10, 20, 20, true);
  Add(200, 200, 50, 50, false);  // not selected: not redrawn
  const std::vector<DrawnObject> before = DrawnObjects(Project);
  moved.Base().Left = 40;
  // Old 10..30 and new 40..60 across, 10..30 down, each grown by 5 for the frame and handles.
  EXPECT_EQ(DragDamage(before, Project, true), std::optional<Rect>(Rect{5, 5, 65, 35}));
}

// A press on another object moves the selection: the old object's handles must go at once.
TEST_F(DragDamageFixture, TakesTheObjectThatLostTheSelection) {
  MenuObject& old = Add(100, 100, 20, 20, true);
  MenuObject& pressed = Add(10, 10, 20, 20, false);
  const std::vector<DrawnObject> before = DrawnObjects(Project);
  old.Selected = false;
  pressed.Selected = true;
  EXPECT_EQ(DragDamage(before, Project, true), std::optional<Rect>(Rect{5, 5, 125, 125}));
}

TEST_F(DragDamageFixture, TheWholePictureIsMadeWhenNotDraggingOrObjectsCameOrWent) {
  Add(10, 10, 20, 20, true);
  std::vector<DrawnObject> before = DrawnObjects(Project);
  EXPECT_EQ(DragDamage(before, Project, false), std::nullopt);
  Add(0, 0, 5, 5, true);
  EXPECT_EQ(DragDamage(before, Project, true), std::nullopt);
}

TEST(SurfaceFrame, OffersOnlyTheSystemMenuWhateverTheMenuWindowHas) {
  FormSettings form;
  form.BorderStyle = static_cast<uint8_t>(FormBorderStyle::Sizeable);
  form.BorderIcons = biMinimize | biMaximize | biHelp;  // no system menu
  const WindowFrame menu = FrameFor(form);
  const WindowFrame surface = SurfaceFrameFor(form);
  EXPECT_TRUE(menu.MinimizeBox && menu.MaximizeBox);
  EXPECT_FALSE(surface.MinimizeBox || surface.MaximizeBox || surface.ContextHelp);
  EXPECT_TRUE(surface.SystemMenu);
  EXPECT_TRUE(surface.ThickFrame && surface.Caption);
}

}  // namespace
}  // namespace corvela
