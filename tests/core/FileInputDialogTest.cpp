#include <gtest/gtest.h>

#include "dialogs/FileInputRules.h"

namespace corvela {
namespace {

TEST(FileInputDialog, CaptionAndPromptFollowWhetherAUrlIsAllowed) {
  EXPECT_STREQ(FileInputTextsFor(true).Caption, "File or URL");
  EXPECT_STREQ(FileInputTextsFor(true).Prompt, "Input file name or URL, or select file");
  EXPECT_STREQ(FileInputTextsFor(false).Caption, "File");
  EXPECT_STREQ(FileInputTextsFor(false).Prompt, "Input file name or select file");
}

TEST(FileInputDialog, OkAfterAChangeStoresTheTextTrimmedWithoutABackslash) {
  struct Case {
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {
      {"  http://example.org/menu.html \t", "http://example.org/menu.html"},
      {"clip.avi", "clip.avi"},
      {"C:\\full\\path.rtf ", "C:\\full\\path.rtf"},
      {"   ", ""},
  };
  for (const auto& c : cases) {
    std::string fileName = "\\old.avi";
    EXPECT_TRUE(FinishFileInput(c.typed, {true, true}, fileName));
    EXPECT_EQ(fileName, c.stored);
  }
}

TEST(FileInputDialog, WithoutOkAndAChangeTheFileNameStays) {
  std::string fileName = "\\old.avi";
  EXPECT_FALSE(FinishFileInput("new.avi", {true, false}, fileName));
  EXPECT_FALSE(FinishFileInput("new.avi", {false, true}, fileName));
  EXPECT_EQ(fileName, "\\old.avi");
}

}  // namespace
}  // namespace corvela
