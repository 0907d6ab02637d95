// The portable fill and write-back rules of the property dialogs, the link editor and the file
// input. That OK on an untouched dialog and Cancel after a change write nothing is checked through
// the real dialogs (DialogsWinTest).
#include <gtest/gtest.h>

#include <climits>

#include "dialogs/ButtonPropertiesRules.h"
#include "dialogs/DialogRules.h"
#include "dialogs/FileInputRules.h"
#include "dialogs/FormPropertiesRules.h"
#include "dialogs/ImagePropertiesRules.h"
#include "dialogs/LabelPropertiesRules.h"
#include "dialogs/LinkEditorRules.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

using testing::DistinctFont;
using testing::DistinctObject;
using testing::FakeWorld;

constexpr DialogFlags kOkAfterChange{true, true};

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
  const Size made{412, 212}, designed{618, 346};
  EXPECT_EQ(ScaleToDesignedClient({0, 0, 412, 212}, made, designed), (Rect{0, 0, 618, 346}));
  EXPECT_EQ(ScaleToDesignedClient({10, 20, 110, 50}, made, designed), (Rect{15, 33, 165, 82}));
  // Two controls that touch still touch after rounding.
  const Rect a = ScaleToDesignedClient({7, 7, 40, 20}, made, designed);
  const Rect b = ScaleToDesignedClient({40, 7, 60, 20}, made, designed);
  EXPECT_EQ(a.Right, b.Left);
  // The same size in and out changes nothing; a made size of zero is left alone.
  EXPECT_EQ(ScaleToDesignedClient({3, 4, 8, 10}, designed, designed), (Rect{3, 4, 8, 10}));
  EXPECT_EQ(ScaleToDesignedClient({3, 4, 8, 10}, {0, 0}, designed), (Rect{3, 4, 8, 10}));
}

TEST(CentredOnScreen, HalvesTheRoomLeftOver) {
  EXPECT_EQ(CentredOnScreen({1280, 1024}, {200, 150}), (Point{540, 437}));
  EXPECT_EQ(CentredOnScreen({800, 600}, {1001, 601}), (Point{-100, 0}));
}

TEST(CaptionFont, TheHotTrackFontFollowsUntilItIsSetApart) {
  FontRecord font, hot, chosen;
  chosen.Name = "Georgia";
  chosen.Size = 14;
  TakeCaptionFont(font, hot, chosen);
  EXPECT_EQ(font, chosen);
  EXPECT_EQ(hot, chosen);  // never set apart: it follows

  FontRecord apart = chosen;
  apart.Style = fsBold;
  hot = apart;
  FontRecord next;
  next.Name = "Verdana";
  TakeCaptionFont(font, hot, next);
  EXPECT_EQ(font, next);
  EXPECT_EQ(hot, apart);  // set apart, even by its style alone: it stays
}

// The sample once showed a menu's white caption font as white "ont" on grey.
TEST(FontSample, ShowsTheWholeWordOnABackgroundItReadsOn) {
  const uint32_t face = 0xC0C0C0u;
  EXPECT_EQ(FontSampleBackground(0x000080u, face), face);        // dark red reads on the face
  EXPECT_EQ(FontSampleBackground(0xFFFFFFu, face), 0x404040u);   // white does not
  EXPECT_EQ(FontSampleBackground(0x606060u, 0x707070u), 0xFFFFFFu);
  EXPECT_EQ(FontSampleHeight(13, {30, 16}, {37, 23}), 13);  // fits as it is
  EXPECT_EQ(FontSampleHeight(32, {74, 38}, {37, 23}), 16);  // too wide: halved
  EXPECT_EQ(FontSampleHeight(20, {30, 46}, {37, 23}), 10);  // too tall
  EXPECT_EQ(FontSampleHeight(20, {300, 46}, {0, 0}), 1);
}

TEST(FormPropertiesDialog, OneChangeWritesEveryFieldAsShown) {
  FakeWorld world;
  testing::FillEveryKind(world.State);
  MenuProject& p = world.State.Project;
  p.FormIcon = "  art\\menu.ico ";
  p.StartSound = "sounds\\intro.wav";
  p.Form.Position = 2;  // any position but poDesigned shows "Screen Center"
  FormPropertiesFields f = FillFormProperties(p);
  const FormPropertiesFields shown = f;
  f.Caption = "  Welcome ";  // caption blanks are kept
  f.GradientColor = 0x00FF0000u;
  f.TransparentColorValue = 0x00FF00FFu;
  ASSERT_TRUE(WriteBackFormProperties(f, kOkAfterChange, p));
  EXPECT_EQ(p.Form.Caption, "  Welcome ");
  EXPECT_EQ(p.FormIcon, "\\art\\menu.ico");
  EXPECT_EQ(p.StartSound, "\\sounds\\intro.wav");
  EXPECT_EQ(p.Form.Position, static_cast<uint8_t>(FormPosition::ScreenCenter));
  EXPECT_EQ(p.GradientColor, 0x00FF0000u);
  EXPECT_EQ(p.Form.TransparentColorValue, 0x00FF00FFu);
  // The rest comes back exactly as filled; a system colour stays one.
  EXPECT_EQ(p.BackColor, 0x80000005u);
  const FormPropertiesFields again = FillFormProperties(p);
  EXPECT_EQ(again.GradientStyle, shown.GradientStyle);
  EXPECT_EQ(again.BorderStyle, shown.BorderStyle);
  EXPECT_EQ(again.TransparentColor, shown.TransparentColor);
  EXPECT_EQ(again.PanelBorderStyle, shown.PanelBorderStyle);
  EXPECT_EQ(again.PanelBorderWidth, shown.PanelBorderWidth);
  EXPECT_EQ(again.BevelInner, shown.BevelInner);
  EXPECT_EQ(again.BevelOuter, shown.BevelOuter);
  EXPECT_EQ(again.BevelWidth, shown.BevelWidth);
}

TEST(FormPropertiesDialog, TheMenuSizeIsTakenOnlyAsWholePixelsWithinTheLimits) {
  struct Case {
    const char* width;
    const char* height;
    bool ok;
    bool inWidth;
  };
  const Case cases[] = {{"640", " 480 ", true, false}, {"16", "4096", true, false}, {"15", "480", false, true},
                        {"640", "4097", false, false}, {"", "480", false, true},   {"64O", "480", false, true},
                        {"-640", "480", false, true},  {"640", "99999999999", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.width) + " x " + c.height);
    MenuProject p;
    FormPropertiesFields f = FillFormProperties(p, {320, 200});
    EXPECT_EQ(f.MenuWidth, "320");
    f.MenuWidth = c.width;
    f.MenuHeight = c.height;
    const std::optional<MenuSizeProblem> problem = CheckMenuSize(f);
    Size size{320, 200};
    ASSERT_TRUE(WriteBackFormProperties(f, kOkAfterChange, p, &size));
    if (c.ok) {
      EXPECT_FALSE(problem);
      EXPECT_EQ(size, (Size{std::stoi(c.width), std::stoi(c.height)}));
    } else {
      ASSERT_TRUE(problem);
      EXPECT_EQ(problem->InWidth, c.inWidth);
      EXPECT_NE(problem->Message.find("16 to 4096"), std::string::npos);
      EXPECT_EQ(size, (Size{320, 200}));  // nothing half-taken
    }
  }
}

TEST(FormPropertiesDialog, SelectButtonsUseTheirFiltersAndThePlainRefusal) {
  FakeWorld world;
  world.State.CDFolder = "D:\\Menu";
  world.Chooser.Answer = "D:\\Menu\\art\\a.ico";
  std::string icon = "";
  EXPECT_EQ(SelectFormIcon(world.State, icon), SelectResult::Changed);
  EXPECT_EQ(icon, "\\art\\a.ico");
  EXPECT_EQ(world.Chooser.Requests.back().Filter, "Icons (*.ico)|*.ico");
  EXPECT_TRUE(world.Chooser.Requests.back().MustExist);

  world.Chooser.Answer = "E:\\x.wav";
  std::string sound = "\\old.wav";
  EXPECT_EQ(SelectStartSound(world.State, sound), SelectResult::Refused);
  EXPECT_EQ(sound, "\\old.wav");
  EXPECT_EQ(world.Chooser.Requests.back().Filter, "");
  ASSERT_EQ(world.Ui.Shown.size(), 1u);
  EXPECT_EQ(world.Ui.Shown[0].Icon, MessageIcon::None);
}

TEST(LabelPropertiesDialog, OneChangeWritesEveryFieldAsShownAndLeavesAutoSizeAndWordWrap) {
  auto obj = DistinctObject(ObjectKind::Label);
  LabelControl& label = *obj->AsLabel();
  label.Caption = "  spaced  ";
  label.Alignment = 1;
  label.Layout = 0;
  label.Color = 0x00336699u;
  label.Transparent = false;
  label.Hint = "Opens the manual";
  const LabelPropertiesFields f0 = FillLabelProperties(*obj);
  EXPECT_EQ(f0.Caption, "  spaced  ");
  EXPECT_EQ(f0.Hint, "Opens the manual");
  EXPECT_EQ(f0.Alignment, 1);
  EXPECT_EQ(f0.Layout, 0);
  EXPECT_EQ(f0.Color, 0x00336699u);
  EXPECT_EQ(f0.Font, label.Font);
  EXPECT_EQ(f0.HotTrackFont, obj->HotTrackFont);

  // What the user sees in the dialog is then written over whatever the control holds, except the
  // two properties the dialog does not show.
  LabelPropertiesFields f = f0;
  f.HotTrackFont = DistinctFont(7);
  label = LabelControl{};
  label.AutoSize = false;
  label.WordWrap = true;
  ASSERT_TRUE(WriteBackLabelProperties(f, kOkAfterChange, *obj));
  EXPECT_EQ(label.Caption, "  spaced  ");
  EXPECT_EQ(label.Alignment, 1);
  EXPECT_EQ(label.Layout, 0);
  EXPECT_EQ(label.Color, 0x00336699u);
  EXPECT_EQ(label.Font, f0.Font);
  EXPECT_EQ(obj->HotTrackFont, DistinctFont(7));
  EXPECT_FALSE(label.Transparent);
  EXPECT_EQ(label.Hint, "Opens the manual");
  EXPECT_FALSE(label.AutoSize);
  EXPECT_TRUE(label.WordWrap);
}

TEST(ButtonPropertiesDialog, OneChangeWritesEveryFieldAsShownAndReadsTypedValues) {
  auto obj = DistinctObject(ObjectKind::Button);
  ButtonControl& button = *obj->AsButton();
  obj->BitmapFile = " art\\play.bmp ";
  obj->HotTrackBitmapFile = "\\art\\hot.bmp";
  button.Hint = "Plays the film";
  ButtonPropertiesFields f = FillButtonProperties(*obj);
  EXPECT_EQ(f.Hint, "Plays the film");
  EXPECT_EQ(f.Caption, button.Caption);
  EXPECT_EQ(f.Layout, 3);
  EXPECT_EQ(f.Margin, "-5");
  EXPECT_EQ(f.Spacing, "-2");
  EXPECT_EQ(f.BitmapFile, " art\\play.bmp ");  // as stored
  const ButtonControl shown = button;
  const FontRecord hot = obj->HotTrackFont;
  f.Flat = !f.Flat;
  f.Spacing = "";  // reads as 0
  button = ButtonControl{};
  obj->HotTrackFont = FontRecord{};
  ASSERT_TRUE(WriteBackButtonProperties(f, kOkAfterChange, *obj));
  EXPECT_EQ(button.Caption, shown.Caption);
  EXPECT_EQ(button.Layout, 3);
  EXPECT_EQ(button.Font, shown.Font);
  EXPECT_EQ(obj->HotTrackFont, hot);
  EXPECT_EQ(obj->BitmapFile, "\\art\\play.bmp");
  EXPECT_EQ(obj->HotTrackBitmapFile, "\\art\\hot.bmp");
  EXPECT_EQ(button.Margin, -5);  // negative margins reach the control unchanged
  EXPECT_EQ(button.Spacing, 0);
  EXPECT_EQ(button.Flat, !shown.Flat);
  EXPECT_EQ(button.Transparent, shown.Transparent);
  EXPECT_EQ(button.Hint, "Plays the film");
}

TEST(ImagePropertiesDialog, DisplayStyleIsTheFirstFlagSetInTheOrderCenterStretchAutoSize) {
  const struct {
    bool center, stretch, autoSize;
    int entry;
  } cases[] = {
      {false, false, false, kDisplayNormal}, {true, false, false, kDisplayCenter},
      {false, true, false, kDisplayStretch}, {false, false, true, kDisplayAutoSize},
      {true, true, false, kDisplayCenter},   {false, true, true, kDisplayStretch},
      {true, true, true, kDisplayCenter},
  };
  for (const auto& c : cases) {
    ImageControl image;
    image.Center = c.center;
    image.Stretch = c.stretch;
    image.AutoSize = c.autoSize;
    EXPECT_EQ(DisplayStyleOf(image), c.entry) << c.center << c.stretch << c.autoSize;
  }
  // Each entry sets exactly its own flag.
  const bool flags[4][3] = {{false, false, false}, {true, false, false}, {false, true, false}, {false, false, true}};
  for (int entry = 0; entry < 4; ++entry) {
    ImageControl image;
    image.Center = image.Stretch = image.AutoSize = true;
    ApplyDisplayStyle(entry, image);
    EXPECT_EQ((std::vector<bool>{image.Center, image.Stretch, image.AutoSize}),
              (std::vector<bool>{flags[entry][0], flags[entry][1], flags[entry][2]}))
        << kDisplayStyleEntries[entry];
  }
}

TEST(ImagePropertiesDialog, CenterAndStretchTogetherBecomeCenterAfterAnyConfirmedChange) {
  auto obj = DistinctObject(ObjectKind::Image);  // Center, Stretch and AutoSize all set
  ImagePropertiesFields f = FillImageProperties(*obj);
  EXPECT_EQ(f.DisplayStyle, kDisplayCenter);
  f.FileName = " pics\\logo.gif ";
  f.Hint = "The logo";
  ASSERT_TRUE(WriteBackImageProperties(f, kOkAfterChange, *obj));
  EXPECT_TRUE(obj->AsImage()->Center);
  EXPECT_FALSE(obj->AsImage()->Stretch);
  EXPECT_FALSE(obj->AsImage()->AutoSize);
  EXPECT_EQ(obj->FileName, "\\pics\\logo.gif");
  EXPECT_EQ(obj->HotTrackImageFile, "\\hi3.gif");
  EXPECT_TRUE(obj->AsImage()->Transparent);
  EXPECT_EQ(obj->Base().Hint, "The logo");
}

TEST(LinkEditorDialog, EnablingTable) {
  const struct {
    int action;
    LinkFieldStates states;
  } rows[] = {
      {0, {false, false, false, false}}, {1, {true, true, true, true}},     {2, {true, false, false, false}},
      {3, {true, false, false, false}},  {4, {true, false, false, true}},   {5, {true, false, false, true}},
      {6, {false, false, false, false}}, {7, {false, false, false, false}}, {-1, {false, false, false, false}},
  };
  for (const auto& r : rows) EXPECT_EQ(EnabledLinkFields(r.action), r.states) << r.action;
}

TEST(LinkEditorDialog, OnlyTheFileActionsNormaliseTargetAndStartDirectory) {
  const struct {
    LinkAction action;
    const char* target;
    const char* directory;
  } cases[] = {
      {LinkAction::OpenFile, "\\setup.exe", "\\tools"},  {LinkAction::PlaySound, "\\setup.exe", "\\tools"},
      {LinkAction::PrintFile, "\\setup.exe", "\\tools"}, {LinkAction::OpenUrl, " setup.exe ", "tools"},
      {LinkAction::SendEmail, " setup.exe ", "tools"},  // an address keeps its blanks
      {LinkAction::None, " setup.exe ", "tools"},       // disabled fields keep and store their text
      {LinkAction::BrowseCd, " setup.exe ", "tools"},
  };
  for (const auto& c : cases) {
    ObjectLink link;
    link.SoundFile = "\\click.wav";
    link.Action = LinkAction::OpenFile;
    link.ShowCommand = 3;
    link.Target = " setup.exe ";
    link.Parameters = " /quiet ";
    link.StartDirectory = "tools";
    LinkEditorFields f = FillLinkEditor(link);
    f.Action = static_cast<int>(c.action);
    ASSERT_TRUE(WriteBackLinkEditor(f, kOkAfterChange, link));
    EXPECT_EQ(link.Action, c.action);
    EXPECT_EQ(link.Target, c.target) << static_cast<int>(c.action);
    EXPECT_EQ(link.StartDirectory, c.directory) << static_cast<int>(c.action);
    EXPECT_EQ(link.Parameters, " /quiet ");
    EXPECT_EQ(link.SoundFile, "\\click.wav");  // carried through, not shown
    EXPECT_EQ(link.ShowCommand, 3);
  }
}

TEST(LinkEditorDialog, OpenUrlPutsHttpsBeforeAnAddressTypedWithoutOne) {
  const std::pair<const char*, const char*> cases[] = {
      {" www.example.com/help ", "https://www.example.com/help"},
      {"http://www.example.com", "http://www.example.com"},
      {"example.com", "example.com"},  // no "www.": left for the disc check to question
  };
  for (const auto& [typed, stored] : cases) {
    ObjectLink link;
    LinkEditorFields f = FillLinkEditor(link);
    f.Action = static_cast<int>(LinkAction::OpenUrl);
    f.Target = typed;
    ASSERT_TRUE(WriteBackLinkEditor(f, kOkAfterChange, link));
    EXPECT_EQ(link.Target, stored) << typed;
  }
}

TEST(LinkEditorDialog, BrowseFillsTargetAndStartDirectory) {
  FakeWorld world;
  world.State.CDFolder = "D:\\Menu";
  LinkEditorFields f{1, "", "", "old"};

  world.Chooser.Answer = "D:\\Menu\\tools\\setup.exe";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Changed);
  EXPECT_EQ(f.Target, "\\tools\\setup.exe");
  EXPECT_EQ(f.StartDirectory, "\\tools");
  EXPECT_EQ(world.Chooser.Requests[0].Filter, "All Files(*.*)|*.*");

  world.Chooser.Answer = "D:\\Menu\\setup.exe";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Changed);
  EXPECT_EQ(f.Target, "\\setup.exe");
  EXPECT_EQ(f.StartDirectory, "\\");

  // The same file again, but the start directory was edited: putting it back is a change.
  f.StartDirectory = "elsewhere";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Changed);
  EXPECT_EQ(f.StartDirectory, "\\");
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Unchanged);

  world.Chooser.Answer = "C:\\setup.exe";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Refused);
  EXPECT_EQ(f.Target, "\\setup.exe");
  ASSERT_EQ(world.Ui.Shown.size(), 1u);
  EXPECT_EQ(world.Ui.Shown[0].Text, "Selected file should be in \"D:\\Menu\" directory or its subdirectory");
  EXPECT_EQ(world.Ui.Shown[0].Caption, "Information");
  EXPECT_EQ(world.Ui.Shown[0].Icon, MessageIcon::Information);

  world.Chooser.Answer.reset();
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Cancelled);
  EXPECT_EQ(f.StartDirectory, "\\");

  // A CD folder edited by hand with a trailing backslash gives a path without one.
  world.State.CDFolder = "D:\\Menu\\";
  world.Chooser.Answer = "D:\\Menu\\tools\\setup.exe";
  f.StartDirectory = "";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Changed);
  EXPECT_EQ(f.Target, "tools\\setup.exe");
  EXPECT_EQ(f.StartDirectory, "tools");
}

TEST(FileInputDialog, OkStoresTypedNamesInsideTheCdFolder) {
  const struct {
    const char* typed;
    bool allowUrl;
    const char* stored;
  } cases[] = {
      {"  http://example.org/menu.html \t", true, "http://example.org/menu.html"},
      // A bare name would otherwise resolve against the player's current folder.
      {"clip.avi", false, "\\clip.avi"},
      {" media\\clip.avi", false, "\\media\\clip.avi"},
      {"\\clip.avi", false, "\\clip.avi"},
      {"C:\\full\\path.rtf ", false, "C:\\full\\path.rtf"},
      {"d:\\menu\\Intro.rtf", false, "\\Intro.rtf"},
      {"   ", true, ""},
      // A web address typed as browsers take it, where a URL may be typed; elsewhere a file name.
      {" WWW.example.com:8080/menu.html ", true, "https://WWW.example.com:8080/menu.html"},
      {"www.example.com", false, "\\www.example.com"},
      {"wwwroot\\index.html", true, "\\wwwroot\\index.html"},
  };
  for (const auto& c : cases) {
    std::string fileName = "\\old.avi";
    EXPECT_TRUE(FinishFileInput("D:\\Menu", c.typed, c.allowUrl, kOkAfterChange, fileName));
    EXPECT_EQ(fileName, c.stored) << c.typed;
  }
}

}  // namespace
}  // namespace corvela
