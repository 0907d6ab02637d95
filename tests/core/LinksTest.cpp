#include <gtest/gtest.h>

#include <algorithm>

#include "player/Links.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

struct LinkWorld : FakeWorld {
  testing::RecordingView View;
  LinkWorld() {
    State.CDFolder = "E:";
    State.View = &View;
  }
  int Closed() const { return static_cast<int>(std::count(View.Calls.begin(), View.Calls.end(), "close")); }
};

struct ShellCase {
  LinkAction Action;
  const char* Target;
  const char* Parameters;
  const char* Directory;
  const char* Verb;
  const char* File;
  const char* WantParameters;
  const char* WantDirectory;
};

TEST(RunLink, HandsEachShellActionToTheShellWithItsVerbFileParametersAndDirectory) {
  const ShellCase cases[] = {
      // An empty start directory is the CD folder itself.
      {LinkAction::OpenFile, "\\setup.exe", "/s", "", "open", "E:\\setup.exe", "/s", "E:"},
      {LinkAction::OpenFile, "\\bin\\x.exe", "", "\\bin", "open", "E:\\bin\\x.exe", "", "E:\\bin"},
      {LinkAction::OpenFile, "", "", "", "open", "E:", "", "E:"},
      // A URL goes as it is, without the link's parameters and directory.
      {LinkAction::OpenUrl, "http://example.org/", "/p", "\\d", "open", "http://example.org/", "", ""},
      {LinkAction::SendEmail, "me@example.org", "?subject=Hi", "\\d", "open", "mailto:me@example.org", "?subject=Hi",
       ""},
      {LinkAction::PrintFile, "\\doc\\a.txt", "/q", "\\doc", "print", "E:\\doc\\a.txt", "/q", ""},
      // Browse CD ignores its target.
      {LinkAction::BrowseCd, "\\sub", "/e", "\\d", "explore", "E:", "/e", ""},
  };
  for (const ShellCase& c : cases) {
    LinkWorld w;
    EXPECT_TRUE(RunLink(w.State, c.Action, c.Target, c.Parameters, c.Directory, 3)) << c.File;
    ASSERT_EQ(w.Launcher.Calls.size(), 1u) << c.File;
    const testing::ShellCall& call = w.Launcher.Calls[0];
    EXPECT_EQ(call.Verb, std::optional<std::string>(c.Verb));
    EXPECT_EQ(call.File, c.File);
    EXPECT_EQ(call.Parameters, std::optional<std::string>(c.WantParameters)) << c.File;
    EXPECT_EQ(call.Directory, std::optional<std::string>(c.WantDirectory)) << c.File;
    EXPECT_EQ(call.ShowCommand, 3);
    EXPECT_TRUE(w.Ui.Shown.empty());
    EXPECT_TRUE(w.Sound.Calls.empty());
  }
}

TEST(RunLink, NoneUnknownAndExitCallNoShellAndReturnFalse) {
  for (int action : {0, 8, 200, 255}) {
    LinkWorld w;
    EXPECT_FALSE(RunLink(w.State, static_cast<LinkAction>(action), "\\a.exe", "", "", 1));
    EXPECT_TRUE(w.Launcher.Calls.empty());
    EXPECT_TRUE(w.Ui.Shown.empty());
    EXPECT_EQ(w.Closed(), 0);
  }
  LinkWorld w;
  EXPECT_FALSE(RunLink(w.State, LinkAction::ExitAutoRun, "\\a.exe", "", "", 1));
  EXPECT_EQ(w.Closed(), 1);
  EXPECT_TRUE(w.Launcher.Calls.empty());
}

TEST(RunLink, AShellResultOf32OrLessIsShownAsAnErrorAndAbove32IsSuccess) {
  const std::pair<int, const char*> failures[] = {
      {31, "There is no application associated with the given filename extension."},
      {1, "Operation Error"},  // the codes without a text of their own
      {32, "The specified dynamic-link library was not found."},
  };
  for (const auto& [result, text] : failures) {
    LinkWorld w;
    w.Launcher.Result = result;
    EXPECT_FALSE(RunLink(w.State, LinkAction::OpenFile, "\\x.xyz", "", "", 1));
    ASSERT_EQ(w.Ui.Shown.size(), 1u);
    EXPECT_EQ(w.Ui.Shown[0].Text, text);
    EXPECT_EQ(w.Ui.Shown[0].Caption, "Error");
    EXPECT_EQ(w.Ui.Shown[0].Icon, MessageIcon::Error);
    EXPECT_EQ(w.Ui.Shown[0].Buttons, MessageButtons::Ok);
    EXPECT_EQ(w.Closed(), 0);
  }
  LinkWorld w;
  w.Launcher.Result = 33;
  EXPECT_TRUE(RunLink(w.State, LinkAction::OpenFile, "\\x.txt", "", "", 1));
  EXPECT_TRUE(w.Ui.Shown.empty());
}

TEST(PlaySoundFile, ClosesThePreviousDeviceBeforeOpeningAndPlaysWithoutShell) {
  LinkWorld w;
  w.Files.Files["E:\\a.wav"] = "";
  w.Files.Files["E:\\b.mid"] = "";
  EXPECT_TRUE(RunLink(w.State, LinkAction::PlaySound, "\\a.wav", "/p", "\\d", 1));
  EXPECT_TRUE(PlaySoundFile(w.State, "E:\\b.mid"));
  const std::vector<std::string> want = {"close", "open E:\\a.wav", "play", "close", "open E:\\b.mid", "play"};
  EXPECT_EQ(w.Sound.Calls, want);
  EXPECT_TRUE(w.Launcher.Calls.empty());
  EXPECT_TRUE(w.Ui.Shown.empty());
}

TEST(PlaySoundFile, AMissingFileIsReportedAndOtherFailuresAreSilent) {
  LinkWorld missing;
  EXPECT_FALSE(PlaySoundFile(missing.State, "E:\\gone.wav"));
  EXPECT_EQ(missing.Ui.Texts(), std::vector<std::string>{"The specified file was not found."});
  EXPECT_TRUE(missing.Sound.Calls.empty());

  LinkWorld noDevice;
  noDevice.Files.Files["E:\\a.txt"] = "";
  noDevice.Sound.Unplayable.insert("E:\\a.txt");
  EXPECT_FALSE(PlaySoundFile(noDevice.State, "E:\\a.txt"));
  EXPECT_EQ(noDevice.Sound.Calls, (std::vector<std::string>{"close", "open E:\\a.txt"}));

  LinkWorld closeFails;
  closeFails.Files.Files["E:\\a.wav"] = "";
  closeFails.Sound.CloseResult = 263;
  EXPECT_FALSE(PlaySoundFile(closeFails.State, "E:\\a.wav"));
  EXPECT_EQ(closeFails.Sound.Calls, std::vector<std::string>{"close"});

  // A refusal to play that comes back at once is not reported as a started sound.
  LinkWorld playRefused;
  playRefused.Files.Files["E:\\a.wav"] = "";
  playRefused.Sound.PlayResult = 265;
  EXPECT_FALSE(PlaySoundFile(playRefused.State, "E:\\a.wav"));

  for (const LinkWorld* w : {&noDevice, &closeFails, &playRefused}) EXPECT_TRUE(w->Ui.Shown.empty());
}

TEST(ObjectClick, RunsTheLinkOfLabelsButtonsAndImagesOnly) {
  LinkWorld w;
  for (uint8_t kind = 0; kind < kObjectKindCount; ++kind) {
    auto obj = std::make_unique<MenuObject>(static_cast<ObjectKind>(kind));
    obj->Link.Action = LinkAction::OpenFile;
    obj->Link.Target = "\\" + std::to_string(kind) + ".exe";
    w.State.Project.Objects.push_back(std::move(obj));
  }
  w.State.Project.Objects[1]->Link.Action = LinkAction::None;
  RenumberTags(w.State);
  for (int32_t tag = -1; tag <= kObjectKindCount; ++tag) ObjectClick(w.State, tag);
  ASSERT_EQ(w.Launcher.Calls.size(), 2u);
  EXPECT_EQ(w.Launcher.Calls[0].File, "E:\\0.exe");
  EXPECT_EQ(w.Launcher.Calls[1].File, "E:\\2.exe");
}

TEST(PlayStartSoundAndLink, StartsTheSoundWithADoubledBackslashThenRunsTheLink) {
  LinkWorld w;
  w.State.Project.StartSound = "\\intro.wav";
  w.Files.Files["E:\\\\intro.wav"] = "";
  w.State.Project.StartLink.Action = LinkAction::OpenFile;
  w.State.Project.StartLink.Target = "\\menu.exe";
  PlayStartSoundAndLink(w.State);
  EXPECT_EQ(w.Sound.Calls, (std::vector<std::string>{"close", "open E:\\\\intro.wav", "play"}));
  ASSERT_EQ(w.Launcher.Calls.size(), 1u);
  EXPECT_EQ(w.Launcher.Calls[0].File, "E:\\menu.exe");
}

TEST(PlayStartSoundAndLink, AMissingSoundIsReportedAndTheExitLinkStillRuns) {
  LinkWorld w;
  w.State.Project.StartSound = "\\gone.wav";
  w.State.Project.StartLink.Action = LinkAction::ExitAutoRun;
  PlayStartSoundAndLink(w.State);
  EXPECT_EQ(w.Ui.Texts(), std::vector<std::string>{"The specified file was not found."});
  EXPECT_EQ(w.Closed(), 1);

  LinkWorld empty;
  PlayStartSoundAndLink(empty.State);
  EXPECT_TRUE(empty.Sound.Calls.empty());
  EXPECT_TRUE(empty.Launcher.Calls.empty());
}

}  // namespace
}  // namespace corvela
