#include <gtest/gtest.h>

#include "platform/Geometry.h"

namespace corvela {
namespace {

// Fills of gradient bands reach past the picture on every side.
TEST(Geometry, ClippingKeepsThePartInsideTheArea) {
  EXPECT_EQ(ClippedTo({-5, -5, 10, 10}, 8, 20), (Rect{0, 0, 8, 10}));
  EXPECT_TRUE(ClippedTo({10, 0, 20, 5}, 8, 20).IsEmpty());
  EXPECT_TRUE(ClippedTo({3, 3, 3, 9}, 8, 20).IsEmpty());
}

TEST(Geometry, AnEmptyRectangleAddsNothingToAUnion) {
  EXPECT_EQ(Union({}, {2, 3, 4, 5}), (Rect{2, 3, 4, 5}));
  EXPECT_EQ(Union({2, 3, 4, 5}, {9, 9, 9, 20}), (Rect{2, 3, 4, 5}));
  EXPECT_EQ(Union({2, 3, 4, 5}, {0, 4, 3, 8}), (Rect{0, 3, 4, 8}));
}

}  // namespace
}  // namespace corvela
