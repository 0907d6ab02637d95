#include <gtest/gtest.h>

#include "designer/Surface.h"
#include "project/Resources.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

class RecordingHost : public SurfaceHost {
 public:
  Size Panel{400, 300};
  int Repaints = 0;
  std::vector<std::pair<Rect, Rect>> Bands;
  std::vector<std::string> Calls;

  Size InnerPanelSize() override { return Panel; }
  void RepaintSurface() override { ++Repaints; }
  void BandChanged(const Rect& previous, const Rect& current) override {
    Bands.emplace_back(previous, current);
  }
  void ControlCreated(MenuObject& obj) override { Calls.push_back("created " + std::to_string(obj.Base().Left)); }
  // With the object's place in the list at the call: the host restacks panes in list order.
  void ControlBroughtToFront(MenuObject& obj) override { Calls.push_back("front " + Placed(obj)); }
  void ControlSentToBack(MenuObject& obj) override { Calls.push_back("back " + Placed(obj)); }
  static std::string Placed(const MenuObject& obj) { return obj.Base().Name + "/" + std::to_string(obj.Base().Tag); }
};

struct SurfaceFixture : ::testing::Test {
  FakeWorld World;
  RecordingHost Host;
  DesignSurface Surface{World.State, Host};

  MenuObject& Add(int32_t l, int32_t t, int32_t w, int32_t h, bool selected = false) {
    auto obj = std::make_unique<MenuObject>(ObjectKind::Image);
    obj->Base() = ControlBase{l, t, w, h, "o" + std::to_string(World.State.Project.Objects.size()), {}, 0};
    obj->Selected = selected;
    World.State.Project.Objects.push_back(std::move(obj));
    return *World.State.Project.Objects.back();
  }
  MenuObject& At(size_t i) { return *World.State.Project.Objects[i]; }
  std::vector<bool> Selection() {
    std::vector<bool> s;
    for (auto& o : World.State.Project.Objects) s.push_back(o->Selected);
    return s;
  }
  std::string Order() {
    std::string names;
    for (auto& o : World.State.Project.Objects) names += o->Base().Name + "/" + std::to_string(o->Base().Tag) + " ";
    return names;
  }
  void Click(int32_t x, int32_t y, bool ctrl = false) {
    Surface.MouseDown(MouseButton::Left, ctrl, {x, y}, DesignTool::Select);
    Surface.MouseUp(ctrl, {x, y});
  }
  void Drag(Point from, std::vector<Point> steps, bool ctrl = false) {
    Surface.MouseDown(MouseButton::Left, ctrl, from, DesignTool::Select);
    for (Point p : steps) Surface.MouseMove(p);
    Surface.MouseUp(ctrl, steps.empty() ? from : steps.back());
  }
};

TEST(HitTestHandles, FindsHandlesBodyAndOutside) {
  MenuObject obj(ObjectKind::Label);
  obj.Base() = ControlBase{10, 20, 40, 30, {}, {}, 0};  // last pixel 49, 49; halves 30, 35
  struct Case {
    int32_t X, Y, Code;
  } cases[] = {
      {10, 20, 1}, {7, 17, 1},  {13, 23, 1}, {6, 20, -1},   // box edges included, one further is outside
      {30, 20, 2}, {49, 20, 3}, {52, 17, 3}, {53, 20, -1},  // right boxes centre on the last pixel
      {49, 35, 4}, {49, 49, 5}, {30, 49, 6}, {10, 49, 7},  {10, 35, 8},
      {14, 24, 0}, {40, 40, 0}, {30, 52, 6}, {50, 40, -1}, {20, 50, -1},  // boxes reach outside, the body does not
  };
  for (const Case& c : cases) EXPECT_EQ(HitTestHandles(c.X, c.Y, obj), c.Code) << c.X << "," << c.Y;
}

TEST(HitTestHandles, HighestCodeWinsWhereBoxesOverlap) {
  MenuObject thin(ObjectKind::Label);
  thin.Base() = ControlBase{100, 100, 1, 40, {}, {}, 0};
  EXPECT_EQ(HitTestHandles(100, 100, thin), 3);  // top-left, top and top-right coincide
  EXPECT_EQ(HitTestHandles(100, 120, thin), 8);
  EXPECT_EQ(HitTestHandles(100, 139, thin), 7);
  MenuObject dot(ObjectKind::Label);
  dot.Base() = ControlBase{5, 5, 1, 1, {}, {}, 0};
  EXPECT_EQ(HitTestHandles(5, 5, dot), 8);
}

TEST(SurfaceGeometry, CursorShowsWhatAPressWouldDo) {
  MenuProject p;
  auto add = [&](int32_t l, bool selected) {
    p.Objects.push_back(std::make_unique<MenuObject>(ObjectKind::Image));
    p.Objects.back()->Base() = ControlBase{l, 0, 40, 40, {}, {}, 0};
    p.Objects.back()->Selected = selected;
  };
  add(0, true);
  add(20, false);  // above the first, covering its right part
  EXPECT_EQ(CursorAt(p, 10, 10), CursorShape::SizeAll);
  EXPECT_EQ(CursorAt(p, 0, 0), CursorShape::SizeNWSE);
  EXPECT_EQ(CursorAt(p, 20, 0), CursorShape::Arrow);  // the unselected object on top hides the top handle
  EXPECT_EQ(CursorAt(p, 0, 39), CursorShape::SizeNESW);
  EXPECT_EQ(CursorAt(p, 2, 20), CursorShape::SizeWE);
  EXPECT_EQ(CursorAt(p, 100, 100), CursorShape::Arrow);
  EXPECT_EQ(CursorForHitCode(6), CursorShape::SizeNS);
}

TEST(SurfaceGeometry, MarksRunFromTheTopWithHtmlBoxPlaceholderFrameAndHandles) {
  MenuProject p;
  p.Objects.push_back(std::make_unique<MenuObject>(ObjectKind::Label));
  p.Objects.back()->Base() = ControlBase{0, 0, 10, 10, {}, {}, 0};
  p.Objects.push_back(std::make_unique<MenuObject>(ObjectKind::Html));
  p.Objects.back()->Base() = ControlBase{10, 20, 41, 30, {}, {}, 0};
  p.Objects.back()->Selected = true;
  auto marks = BuildSurfaceMarks(p);
  ASSERT_EQ(marks.size(), 12u);
  EXPECT_EQ(marks[0].Kind, MarkKind::HtmlBackground);
  EXPECT_EQ(marks[0].Box, (Rect{10, 20, 51, 50}));
  EXPECT_EQ(marks[1].Kind, MarkKind::Placeholder);
  EXPECT_EQ(marks[1].Text, "[HTML]");
  EXPECT_EQ(marks[1].Box.Left, 15);
  EXPECT_EQ(marks[1].Box.Top, 25);
  EXPECT_EQ(marks[2].Box, (Rect{9, 19, 52, 51}));
  // Drawn squares sit on R and B, not on the last pixel as the hit boxes do.
  EXPECT_EQ(marks[3].Box, (Rect{7, 17, 13, 23}));
  EXPECT_EQ(marks[4].Box, (Rect{27, 17, 33, 23}));
  EXPECT_EQ(marks[7].Box, (Rect{48, 47, 54, 53}));
  EXPECT_EQ(marks[10].Box, (Rect{7, 32, 13, 38}));
  EXPECT_EQ(marks[11].Kind, MarkKind::Frame);  // the unselected label underneath: frame only
  EXPECT_EQ(marks[11].Box, (Rect{-1, -1, 11, 11}));
}

// A stand-in that loaded its file.
class LoadedPane : public PaneWindow {
 public:
  bool ShowsContent() const override { return true; }
};

// What the surface draws follows what the player shows: panes lie above painted objects and hide
// their marks, a loaded pane needs no placeholder, and an image without a picture gets one.
TEST(SurfaceGeometry, MarksFollowWhatThePlayerShows) {
  MenuProject p;
  auto add = [&](ObjectKind kind, ControlBase bounds) -> MenuObject& {
    p.Objects.push_back(std::make_unique<MenuObject>(kind));
    p.Objects.back()->Base() = bounds;
    return *p.Objects.back();
  };
  add(ObjectKind::Html, {50, 0, 40, 40, "page", {}, 0});
  add(ObjectKind::Label, {0, 0, 100, 20, "title", {}, 0});  // later in the list, yet under the pane
  add(ObjectKind::Rtf, {0, 50, 40, 40, "notes", {}, 0}).Pane = std::make_unique<LoadedPane>();
  MenuObject& image = add(ObjectKind::Image, {0, 100, 30, 30, "logo", {}, 0});
  EXPECT_EQ(PaneBoxes(p), (std::vector<Rect>{{0, 50, 40, 90}, {50, 0, 90, 40}}));
  std::vector<SurfaceMark> marks = BuildSurfaceMarks(p);
  auto of = [&](MarkKind kind, int32_t left) {
    for (const SurfaceMark& m : marks)
      if (m.Kind == kind && m.Box.Left == left) return m;
    return SurfaceMark{MarkKind::Handle, {}, "none", 99};
  };
  EXPECT_EQ(of(MarkKind::Frame, -1).CoveredBy, 2u);  // the image's and the label's frames: under both panes
  EXPECT_EQ(of(MarkKind::Frame, 49).CoveredBy, 1u);  // the HTML pane: under the RTF pane, later in the list
  EXPECT_EQ(of(MarkKind::Placeholder, 55).Text, "[HTML]");
  EXPECT_EQ(of(MarkKind::Placeholder, 5).Text, "none");  // the RTF pane shows its document
  const SurfaceMark empty = of(MarkKind::EmptyImage, 0);
  EXPECT_EQ(empty.Text, "logo");
  EXPECT_EQ(empty.Box, (Rect{0, 100, 30, 130}));
  image.Base().Name.clear();  // a new object has no name
  marks = BuildSurfaceMarks(p);
  EXPECT_EQ(of(MarkKind::EmptyImage, 0).Text, "Image");
  testing::FakeGraphic picture("logo.gif", nullptr);
  image.Shown = &picture;
  marks = BuildSurfaceMarks(p);
  EXPECT_EQ(of(MarkKind::EmptyImage, 0).Text, "none");
}

TEST_F(SurfaceFixture, PressingUnselectedBodySelectsItAloneAndDragsIt) {
  Add(0, 0, 50, 50, true);
  Add(20, 20, 50, 50);
  Surface.MouseDown(MouseButton::Left, false, {30, 30}, DesignTool::Select);
  EXPECT_EQ(Selection(), (std::vector<bool>{false, true}));
  EXPECT_EQ(Surface.DragMode(), DragState::Dragging);
  EXPECT_EQ(Surface.HitCode(), 0);
  Surface.MouseMove({35, 28});
  Surface.MouseUp(false, {35, 28});
  EXPECT_EQ(At(1).Base().Left, 25);
  EXPECT_EQ(At(1).Base().Top, 18);
  EXPECT_EQ(At(0).Base().Left, 0);
  EXPECT_TRUE(World.State.Modified);
  EXPECT_EQ(Surface.DragMode(), DragState::Idle);
}

TEST_F(SurfaceFixture, ClickSelection) {
  Add(0, 0, 50, 50, true);
  Add(100, 0, 50, 50, true);
  Add(120, 20, 50, 50);  // overlaps the second

  Click(10, 10);  // inside a selected object of a multiple selection
  EXPECT_EQ(Selection(), (std::vector<bool>{true, true, false}));

  Click(10, 10, true);  // Ctrl+click on a selected object
  EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false}));

  Click(300, 200, true);  // Ctrl+click on empty surface
  EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false}));

  Click(130, 30, true);  // only the topmost under the point toggles; the lower one keeps its state
  EXPECT_EQ(Selection(), (std::vector<bool>{false, true, true}));

  Click(300, 200);
  EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));

  // The one-pixel border fails the strict press test, so a band starts, but the release selects.
  Surface.MouseDown(MouseButton::Left, false, {100, 10}, DesignTool::Select);
  EXPECT_EQ(Surface.DragMode(), DragState::Band);
  Surface.MouseUp(false, {100, 10});
  EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false}));

  // A right press does nothing, even with an add tool down; its release selects.
  EXPECT_EQ(Surface.MouseDown(MouseButton::Right, false, {5, 5}, DesignTool::AddLabel), PressOutcome::Ignored);
  Surface.MouseUp(false, {5, 5});
  EXPECT_EQ(Selection(), (std::vector<bool>{true, false, false}));
  EXPECT_FALSE(World.State.Modified);
}

TEST_F(SurfaceFixture, BandSelectsWhatItTouchesAndTogglesWithCtrl) {
  Add(0, 0, 20, 20, true);
  Add(50, 50, 20, 20);
  Add(200, 200, 20, 20, true);
  Drag({100, 100}, {{80, 120}, {19, 19}});  // a one-pixel touch of the first object is enough
  EXPECT_EQ(Selection(), (std::vector<bool>{true, true, false}));
  // Each band change erases the previous focus rectangle; the release erases the last one.
  const Rect first{80, 100, 100, 120}, last{19, 19, 100, 100};
  EXPECT_EQ(Host.Bands,
            (std::vector<std::pair<Rect, Rect>>{{kNoBand, first}, {first, last}, {last, kNoBand}}));

  At(1).Selected = false;
  At(2).Selected = true;
  Drag({10, 10}, {{15, 15}, {60, 60}}, true);  // starts inside a selected object, but Ctrl bands
  EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(At(0).Base().Left, 0);

  Drag({299, 299}, {{210, 210}}, true);  // from the panel's last pixel
  EXPECT_EQ(Selection(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(At(2).Base().Left, 200);
}

// Windows reports moves that are none (a window changed under the pointer); a plain click on an
// object must not count as a drag that marks the project modified.
TEST_F(SurfaceFixture, MoveEventAtThePressPointIsNoMovement) {
  Add(10, 10, 30, 30);
  Surface.MouseDown(MouseButton::Left, false, {20, 20}, DesignTool::Select);
  Surface.MouseMove({20, 20});
  Surface.MouseUp(false, {20, 20});
  EXPECT_FALSE(World.State.Modified);
  Surface.MouseDown(MouseButton::Left, false, {300, 200}, DesignTool::Select);
  Surface.MouseMove({300, 200});
  Surface.MouseUp(false, {300, 200});
  EXPECT_EQ(Selection(), (std::vector<bool>{false}));
  EXPECT_EQ(Host.Bands.size(), 0u);
}

TEST_F(SurfaceFixture, DragIsClampedInTheRefreshAndFollowsAgainAtOnce) {
  Add(20, 20, 50, 50, true);
  Surface.MouseDown(MouseButton::Left, false, {30, 30}, DesignTool::Select);
  Surface.MouseMove({0, 30});
  Surface.MouseMove({-40, 30});
  EXPECT_EQ(At(0).Base().Left, 0);
  Surface.MouseMove({-30, 30});  // turning back moves it at once: the offset to the pointer changed
  EXPECT_EQ(At(0).Base().Left, 10);
  Surface.MouseMove({1000, 1000});
  Surface.MouseUp(false, {1000, 1000});
  EXPECT_EQ(At(0).Base().Left, 395);
  EXPECT_EQ(At(0).Base().Top, 295);
  EXPECT_EQ(At(0).Base().Width, 50);
}

TEST_F(SurfaceFixture, HandleOfOneResizesEverySelectedObject) {
  Add(10, 10, 40, 40, true);
  Add(100, 100, 60, 30, true);
  Drag({49, 49}, {{59, 54}});  // bottom-right handle of the first
  EXPECT_EQ(Surface.HitCode(), 5);
  EXPECT_EQ((std::vector<int32_t>{At(0).Base().Width, At(0).Base().Height}), (std::vector<int32_t>{50, 45}));
  EXPECT_EQ((std::vector<int32_t>{At(1).Base().Width, At(1).Base().Height}), (std::vector<int32_t>{70, 35}));
  EXPECT_EQ(At(1).Base().Left, 100);
  EXPECT_EQ(Selection(), (std::vector<bool>{true, true}));
}

TEST_F(SurfaceFixture, ResizingPastTheOppositeEdgeLeavesOnePixel) {
  Add(100, 100, 40, 40, true);
  Drag({100, 120}, {{110, 120}, {120, 120}, {130, 120}, {140, 120}, {150, 120}});  // left handle
  EXPECT_EQ(At(0).Base().Width, 1);
  EXPECT_EQ(At(0).Base().Left, 150);
  EXPECT_EQ(At(0).Base().Height, 40);
}

TEST_F(SurfaceFixture, PressOnTinyObjectsTopLeftPixelResizesAsTopRight) {
  Add(100, 100, 1, 40, true);
  Drag({100, 100}, {{105, 90}});
  EXPECT_EQ(Surface.HitCode(), 3);
  EXPECT_EQ(At(0).Base().Left, 100);
  EXPECT_EQ(At(0).Base().Top, 90);
  EXPECT_EQ(At(0).Base().Width, 6);
  EXPECT_EQ(At(0).Base().Height, 50);
}

TEST_F(SurfaceFixture, AddToolPlacesOneObjectAndTheReleaseKeepsItSelected) {
  Add(0, 0, 50, 50, true);
  World.State.Modified = false;
  EXPECT_EQ(Surface.MouseDown(MouseButton::Left, false, {10, 20}, DesignTool::AddButton), PressOutcome::ObjectAdded);
  Surface.MouseUp(false, {10, 20});
  ASSERT_EQ(World.State.Project.Objects.size(), 2u);
  MenuObject& b = At(1);
  EXPECT_EQ(b.Kind, ObjectKind::Button);
  EXPECT_EQ((std::vector<int32_t>{b.Base().Left, b.Base().Top, b.Base().Width, b.Base().Height}),
            (std::vector<int32_t>{10, 20, 120, 40}));
  EXPECT_EQ(b.AsButton()->Caption, "New Button");
  EXPECT_EQ(b.Base().Tag, 1);
  EXPECT_EQ(Selection(), (std::vector<bool>{false, true}));
  EXPECT_TRUE(World.State.Modified);
  EXPECT_EQ(Host.Calls, (std::vector<std::string>{"created 10"}));

  // With Ctrl held, the release after the add toggles the new object off again.
  Surface.MouseDown(MouseButton::Left, true, {200, 200}, DesignTool::AddHtml);
  Surface.MouseUp(true, {200, 200});
  EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(At(2).Base().Width, 105);
}

TEST_F(SurfaceFixture, DeleteRenumbersTheRemainingTags) {
  for (int i = 0; i < 5; ++i) Add(i * 10, 0, 5, 5, i == 0 || i == 2);
  Surface.DeleteSelectedObjects();
  EXPECT_EQ(Order(), "o1/0 o3/1 o4/2 ");
  EXPECT_TRUE(World.State.Modified);
}

TEST_F(SurfaceFixture, BringToFrontAndSendToBackMoveOneObjectAndItsTags) {
  for (int i = 0; i < 4; ++i) Add(0, 0, 5, 5, i == 1);
  Surface.BringSelectedToFront();
  EXPECT_EQ(Order(), "o0/0 o2/1 o3/2 o1/3 ");
  Surface.SendSelectedToBack();
  EXPECT_EQ(Order(), "o1/0 o0/1 o2/2 o3/3 ");
  EXPECT_EQ(Host.Calls, (std::vector<std::string>{"front o1/3", "back o1/0"}));

  // Already at the front: the order stays, the project counts as modified all the same.
  At(0).Selected = false;
  At(3).Selected = true;
  World.State.Modified = false;
  Surface.BringSelectedToFront();
  EXPECT_EQ(Order(), "o1/0 o0/1 o2/2 o3/3 ");
  EXPECT_TRUE(World.State.Modified);

  At(0).Selected = true;  // two selected: nothing happens
  World.State.Modified = false;
  Surface.SendSelectedToBack();
  EXPECT_EQ(Order(), "o1/0 o0/1 o2/2 o3/3 ");
  EXPECT_FALSE(World.State.Modified);
}

TEST_F(SurfaceFixture, PressesOnThePanelsBorderAreInert) {
  // The surface's border and bevels lie outside the picture: points left of, above, right of or
  // below the inner panel.
  for (Point p : {Point{-1, 10}, Point{10, -3}, Point{400, 10}, Point{10, 300}}) {
    EXPECT_EQ(Surface.MouseDown(MouseButton::Left, false, p, DesignTool::AddLabel), PressOutcome::Ignored);
    EXPECT_EQ(Surface.MouseDown(MouseButton::Left, false, p, DesignTool::Select), PressOutcome::Ignored);
    Surface.MouseUp(false, p);
  }
  EXPECT_TRUE(World.State.Project.Objects.empty());
  EXPECT_TRUE(Host.Bands.empty());
  EXPECT_EQ(Surface.MouseDown(MouseButton::Left, false, {399, 299}, DesignTool::AddLabel), PressOutcome::ObjectAdded);
  // The release of such a press neither deselects nor selects what reaches past the edge, and
  // a right click there opens no popup.
  At(0).Selected = true;
  Add(395, 10, 40, 10);
  for (MouseButton b : {MouseButton::Left, MouseButton::Right}) {
    Surface.MouseDown(b, false, {401, 12}, DesignTool::Select);
    EXPECT_FALSE(Surface.MouseUp(false, {401, 12}));
    EXPECT_EQ(Selection(), (std::vector<bool>{true, false}));
  }
  Surface.MouseDown(MouseButton::Right, false, {50, 50}, DesignTool::Select);
  EXPECT_TRUE(Surface.MouseUp(false, {50, 50}));
}

TEST_F(SurfaceFixture, EscapePutsTheDraggedObjectsBackAndTheReleaseDoesNothing) {
  Add(10, 10, 20, 20, true);
  Add(100, 10, 20, 20, true);
  Surface.MouseDown(MouseButton::Left, false, {15, 15}, DesignTool::Select);
  Surface.MouseMove({45, 35});
  ASSERT_EQ(At(0).Base().Left, 40);
  Surface.AbortPress();
  EXPECT_FALSE(Surface.PressInProgress());
  EXPECT_EQ(At(0).Base().Left, 10);
  EXPECT_EQ(At(1).Base().Top, 10);
  Surface.MouseMove({60, 60});
  EXPECT_FALSE(Surface.MouseUp(false, {60, 60}));
  EXPECT_EQ(Selection(), (std::vector<bool>{true, true}));
  EXPECT_FALSE(Surface.Steps().CanUndo());
}

// Every text measures 30 x 13, as a short caption would.
class FixedMeasurer : public TextMeasurer {
 public:
  TextExtent Measure(const std::string&, const FontRecord&, int32_t, bool) override { return {30, 13}; }
};

// A size the next load would take back is kept by switching AutoSize off in the same step.
TEST_F(SurfaceFixture, SizeCommandsOnAutoSizeObjectsKeepTheirSize) {
  FixedMeasurer measurer;
  World.State.Env.Text = &measurer;
  auto label = MakeNewObject(ObjectKind::Label);
  label->Base() = ControlBase{10, 10, 50, 13, "l", {}, 0};
  label->AsLabel()->Caption = "Text";
  label->AsLabel()->AutoSize = true;
  label->Selected = true;
  World.State.Project.Objects.push_back(std::move(label));
  ApplyObjectResources(World.State, At(0));
  const ControlBase fitted = At(0).Base();
  ASSERT_TRUE(Surface.Nudge(ArrowKey::Down, false, true));
  EXPECT_FALSE(At(0).AsLabel()->AutoSize);
  EXPECT_EQ(At(0).Base().Height, fitted.Height + 1);
  ASSERT_TRUE(Surface.UndoStep());
  EXPECT_TRUE(At(0).AsLabel()->AutoSize);
  ASSERT_TRUE(Surface.RedoStep());
  EXPECT_EQ(At(0).Base().Height, fitted.Height + 1);
  // A move changes no size: AutoSize stays.
  ASSERT_TRUE(Surface.UndoStep());
  ASSERT_TRUE(Surface.Nudge(ArrowKey::Down, false, false));
  EXPECT_TRUE(At(0).AsLabel()->AutoSize);
}

}  // namespace
}  // namespace corvela
