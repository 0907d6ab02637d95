#include <gtest/gtest.h>

#include <climits>

#include "dialogs/DialogRules.h"

namespace corvela {
namespace {

TEST(SpinValue, ReadsWholeNumbersAndEverythingElseAsZero) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"12", 12},
      {"-3", -3},
      {"+7", 7},
      {" 5\t", 5},
      {"", 0},
      {"   ", 0},
      {"abc", 0},
      {"1.5", 0},
      {"5x", 0},
      {"-", 0},
      {"--1", 0},
      {"1 2", 0},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"2147483648", 0},  // one past the range is not a 32-bit whole number
      {"99999999999999999999", 0},
      {"007", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(SpinValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(SpinStep, StepsByOneFromWhatTheTextMeansAndStopsAtTheRangeEnds) {
  EXPECT_EQ(SpinStep("4", 1), "5");
  EXPECT_EQ(SpinStep("0", -1), "-1");  // no lower bound
  EXPECT_EQ(SpinStep("junk", 1), "1");
  EXPECT_EQ(SpinStep("", -1), "-1");
  EXPECT_EQ(SpinStep("2147483647", 1), "2147483647");
  EXPECT_EQ(SpinStep("-2147483648", -1), "-2147483648");
}

TEST(ListEntries, AValueWithoutAnEntryShowsNothingAndSurvivesWriteBack) {
  EXPECT_EQ(ListEntryFor(0, 4), 0);
  EXPECT_EQ(ListEntryFor(3, 4), 3);
  EXPECT_EQ(ListEntryFor(4, 4), -1);
  EXPECT_EQ(ListEntryFor(-1, 4), -1);
  uint8_t stored = 200;
  StoreListEntry(-1, 4, stored);
  EXPECT_EQ(stored, 200);
  StoreListEntry(2, 4, stored);
  EXPECT_EQ(stored, 2);
}

TEST(ScaleToDesignedClient, StretchesTheMadeLayoutOntoTheDesignedPixels) {
  // A template made 412 x 212 by the dialog manager, designed 618 x 346.
  const DialogSize made{412, 212}, designed{618, 346};
  EXPECT_EQ(ScaleToDesignedClient({0, 0, 412, 212}, made, designed), (DialogRect{0, 0, 618, 346}));
  EXPECT_EQ(ScaleToDesignedClient({10, 20, 100, 30}, made, designed), (DialogRect{15, 33, 150, 49}));
  // Two controls that touch still touch after rounding.
  const DialogRect a = ScaleToDesignedClient({7, 7, 33, 13}, made, designed);
  const DialogRect b = ScaleToDesignedClient({40, 7, 20, 13}, made, designed);
  EXPECT_EQ(a.Left + a.Width, b.Left);
  // The same size in and out changes nothing; a made size of zero is left alone.
  EXPECT_EQ(ScaleToDesignedClient({3, 4, 5, 6}, designed, designed), (DialogRect{3, 4, 5, 6}));
  EXPECT_EQ(ScaleToDesignedClient({3, 4, 5, 6}, {0, 0}, designed), (DialogRect{3, 4, 5, 6}));
}

TEST(CentredOnScreen, HalvesTheRoomLeftOver) {
  EXPECT_EQ(CentredOnScreen({1280, 1024}, {200, 150}), (DialogPoint{540, 437}));
  EXPECT_EQ(CentredOnScreen({800, 600}, {1001, 601}), (DialogPoint{-100, 0}));
}

}  // namespace
}  // namespace corvela
