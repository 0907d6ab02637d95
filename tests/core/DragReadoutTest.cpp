#include <gtest/gtest.h>

#include "designer/DragReadout.h"

namespace corvela {
namespace {

TEST(DragReadout, TellsWhereTheSelectionIsAndHowLarge) {
  MenuProject p;
  EXPECT_FALSE(DragReadoutText(p));
  for (ControlBase b : {ControlBase{12, 30, 65, 17, "a", {}, 0}, ControlBase{100, 8, 20, 90, "b", {}, 0},
                        ControlBase{-5, -5, 1, 1, "c", {}, 0}}) {
    auto obj = MakeNewObject(ObjectKind::Label);
    obj->Base() = b;
    obj->Selected = false;
    p.Objects.push_back(std::move(obj));
  }
  EXPECT_FALSE(DragReadoutText(p));  // nothing selected
  p.Objects[0]->Selected = true;
  EXPECT_EQ(DragReadoutText(p), "12, 30   65 \u00D7 17");
  p.Objects[1]->Selected = true;  // the selection's bounds, not the last object's
  EXPECT_EQ(DragReadoutText(p), "12, 8   108 \u00D7 90");
}

TEST(DragReadout, TheBoxStaysBesideThePointerAndInsideTheArea) {
  const Size box{80, 20}, area{400, 300};
  EXPECT_EQ(PlaceReadout({100, 100}, box, area), (Rect{116, 116, 196, 136}));
  // At the right and bottom edges it goes to the other side of the pointer.
  EXPECT_EQ(PlaceReadout({390, 290}, box, area), (Rect{294, 254, 374, 274}));
  // Where neither side has room it keeps inside the area.
  EXPECT_EQ(PlaceReadout({40, 10}, {380, 20}, area), (Rect{0, 26, 380, 46}));
}

}  // namespace
}  // namespace corvela
