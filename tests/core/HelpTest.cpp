#include <gtest/gtest.h>

#include "app/Help.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

TEST(HelpContents, TheHelpFileComesFirstThenTheGuideThenTheMessage) {
  testing::FakeFileSystem files;
  const std::string exe = "C:\\Tools\\Corvela.exe";
  HelpChoice missing = ChooseHelp(files, exe);
  EXPECT_EQ(missing.Kind, HelpKind::Missing);
  EXPECT_EQ(MissingHelpMessage(missing), "File \"C:\\Tools\\Corvela.html\" not found");

  files.Files["C:\\Tools\\Corvela.html"] = "<html>";
  HelpChoice guide = ChooseHelp(files, exe);
  EXPECT_EQ(guide.Kind, HelpKind::Guide);
  EXPECT_EQ(guide.Path, "C:\\Tools\\Corvela.html");

  files.Files["C:\\Tools\\Corvela.hlp"] = "help";
  HelpChoice hlp = ChooseHelp(files, exe);
  EXPECT_EQ(hlp.Kind, HelpKind::HelpFile);
  EXPECT_EQ(hlp.Path, "C:\\Tools\\Corvela.hlp");
}

}  // namespace
}  // namespace corvela
