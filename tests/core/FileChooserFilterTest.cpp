#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace corvela {
namespace {

TEST(FileChooserFilter, BarsBecomeNulsWithTwoAtTheEndAndEmptyMeansEveryFile) {
  EXPECT_EQ(ToDialogFilter("Icons (*.ico)|*.ico|All|*.*"), std::string("Icons (*.ico)\0*.ico\0All\0*.*\0\0", 29));
  EXPECT_EQ(ToDialogFilter(""), "");
}

}  // namespace
}  // namespace corvela
