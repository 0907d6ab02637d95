#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>

#include "project/AppState.h"
#include "project/CdFolder.h"
#include "platform/StdPlatform.h"
#include "project/DiscCheck.h"
#include "project/ProjectFile.h"
#include "project/Publish.h"

namespace corvela {
namespace {

namespace fs = std::filesystem;

// A CD folder planted in a temporary folder of the real file system, with a project whose every
// kind of stored path names a file that is there.
class PlantedDisc {
 public:
  PlantedDisc() : Env("test: "), State(Env.Env) {
    Root = fs::temp_directory_path() /
           ("corvela-disc-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Root);
    fs::create_directories(Root);
    NewProject(State);
    MenuProject& p = State.Project;
    p.FormIcon = "\\AutoRun.ico";
    p.StartSound = "\\Media\\start.wav";
    // Black captions on white read well: contrast findings come only from the cases that plant them.
    p.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
    p.BackColor = kClWhite;
    auto add = [&](ObjectKind kind, const char* name) -> MenuObject& {
      p.Objects.push_back(MakeNewObject(kind));
      p.Objects.back()->Base().Name = name;
      return *p.Objects.back();
    };
    MenuObject& web = add(ObjectKind::Label, "Web");
    web.Link.Action = LinkAction::OpenUrl;
    web.Link.Target = "https://example.com/support?page=1";
    MenuObject& go = add(ObjectKind::Button, "Install");
    go.BitmapFile = "\\Glyphs\\go.bmp";
    go.HotTrackBitmapFile = "\\Glyphs\\go_hot.bmp";
    go.Link.Action = LinkAction::OpenFile;
    go.Link.Target = "\\Setup\\setup.exe";
    go.Link.StartDirectory = "\\Setup";
    MenuObject& picture = add(ObjectKind::Image, "Box");
    picture.FileName = "\\Media\\box.jpg";
    picture.HotTrackImageFile = "\\Media\\box_hot.jpg";
    picture.Link.Action = LinkAction::SendEmail;
    picture.Link.Target = "help@example.com";
    picture.Base().Hint = "Write to us";
    add(ObjectKind::Avi, "Intro").FileName = "\\Media\\intro.avi";
    add(ObjectKind::Html, "Page").FileName = "\\Docs\\page.html";
    add(ObjectKind::Rtf, "Notes").FileName = "\\Docs\\notes.rtf";
    // Objects the designer places have no name; their kind stands in for it.
    add(ObjectKind::Label, "").Link = {"", LinkAction::PlaySound, 1, "\\Media\\click.wav", "", ""};
    for (const char* file : {"AutoRun.exe", "AutoRun.ico", "Media/start.wav", "Glyphs/go.bmp", "Glyphs/go_hot.bmp",
                             "Setup/setup.exe", "Media/box.jpg", "Media/box_hot.jpg", "Media/intro.avi",
                             "Docs/page.html", "Docs/notes.rtf", "Media/click.wav"})
      Plant(file, "bytes of " + std::string(file));
    Plant("autorun.inf", kAutorunInf);
  }
  ~PlantedDisc() {
    std::error_code ec;
    fs::remove_all(Root, ec);
  }

  // Planting AutoRun.mnx replaces the project the model would be saved as.
  void Plant(const std::string& path, const std::string& bytes) {
    if (path == kProjectFileName) ProjectPlanted = true;
    const fs::path full = Root / path;
    fs::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << bytes;
  }
  // A file of that size that takes no room: the folder's size without writing it.
  void PlantSparse(const std::string& path, uint64_t size) {
    Plant(path, "");
    fs::resize_file(Root / path, size);
  }
  void Remove(const std::string& path) { fs::remove_all(Root / path); }
  MenuObject& Object(size_t index) { return *State.Project.Objects.at(index); }
  std::vector<Finding> Check() {
    if (!ProjectPlanted)
      std::ofstream(Root / kProjectFileName, std::ios::binary) << SerializeProject(State, std::string(80, '\0')).value();
    return CheckDisc(Env.Files, Root.string(), &Env.Codes);
  }

  // The menu as the model holds it now, against the AutoRun.mnx saved by Check or planted.
  std::optional<std::vector<Finding>> CheckOnScreen(const DiscCheckProgressFn& progress = {}) {
    const MenuSnapshot menu = TakeMenuSnapshot(State.Project, true);
    DiscCheckRequest request;
    request.CdFolder = Root.string();
    request.Menu = &menu;
    request.Progress = progress;
    return RunDiscCheck(Env.Files, request);
  }

  StdPlatform Env;
  AppState State;
  fs::path Root;
  bool ProjectPlanted = false;
};

std::vector<Finding> ErrorsAndWarnings(const std::vector<Finding>& findings) {
  std::vector<Finding> result;
  for (const Finding& f : findings)
    if (f.Level != Severity::Note) result.push_back(f);
  return result;
}

std::string Lines(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& f : findings) text += "  " + FindingLine(f) + "\n";
  return text;
}

TEST(CheckDisc, APlantedDiscWithEveryKindOfFileIsClean) {
  PlantedDisc disc;
  disc.Plant("Extra/unused.txt", "x");
  const std::vector<Finding> findings = disc.Check();
  EXPECT_TRUE(ErrorsAndWarnings(findings).empty()) << Lines(findings);
  // Only the folder nothing uses is noted, once, and the size; published files count as used.
  ASSERT_EQ(findings.size(), 2u) << Lines(findings);
  EXPECT_EQ(FindingLine(findings[0]), "note: disc: Total size 0.0 MB in 15 files: fits a CD 700 MB");
  EXPECT_EQ(FindingLine(findings[1]), "note: disc: Nothing in the menu uses this folder or anything in it [\\Extra]");
}

// One planted fault per row; the check must report exactly that one error or warning.
TEST(CheckDisc, FindsEachPlantedFault) {
  struct Case {
    const char* Why;
    std::function<void(PlantedDisc&)> Plant;
    Severity Level;
    std::string Object;  // as the finding line shows it
    std::string Path;
    std::string Message;
  };
  const Case cases[] = {
      {"glyph missing", [](PlantedDisc& d) { d.Remove("Glyphs/go.bmp"); }, Severity::Error, "Install #1",
       "\\Glyphs\\go.bmp", "Glyph not found in the CD folder"},
      {"hot-track glyph missing", [](PlantedDisc& d) { d.Remove("Glyphs/go_hot.bmp"); }, Severity::Error, "Install #1",
       "\\Glyphs\\go_hot.bmp", "Hot-track glyph not found in the CD folder"},
      {"picture missing", [](PlantedDisc& d) { d.Remove("Media/box.jpg"); }, Severity::Error, "Box #2",
       "\\Media\\box.jpg", "Picture not found in the CD folder"},
      {"hot-track picture missing", [](PlantedDisc& d) { d.Remove("Media/box_hot.jpg"); }, Severity::Error, "Box #2",
       "\\Media\\box_hot.jpg", "Hot-track picture not found in the CD folder"},
      {"clip missing", [](PlantedDisc& d) { d.Remove("Media/intro.avi"); }, Severity::Error, "Intro #3",
       "\\Media\\intro.avi", "Clip not found in the CD folder"},
      {"HTML page missing", [](PlantedDisc& d) { d.Remove("Docs/page.html"); }, Severity::Error, "Page #4",
       "\\Docs\\page.html", "HTML page not found in the CD folder"},
      {"RTF document missing", [](PlantedDisc& d) { d.Remove("Docs/notes.rtf"); }, Severity::Error, "Notes #5",
       "\\Docs\\notes.rtf", "RTF document not found in the CD folder"},
      {"sound link target missing", [](PlantedDisc& d) { d.Remove("Media/click.wav"); }, Severity::Error, "Label #6",
       "\\Media\\click.wav", "Link target not found in the CD folder"},
      {"start sound missing", [](PlantedDisc& d) { d.Remove("Media/start.wav"); }, Severity::Error, "menu",
       "\\Media\\start.wav", "Start sound not found in the CD folder"},
      {"window icon missing", [](PlantedDisc& d) { d.State.Project.FormIcon = "\\Icons\\menu.ico"; }, Severity::Error,
       "menu", "\\Icons\\menu.ico", "Window icon not found in the CD folder"},
      {"a link target is found in another letter case, as Windows finds it, but its start folder is gone",
       [](PlantedDisc& d) {
         d.Object(1).Link.Target = "\\SETUP\\Setup.EXE";
         d.Object(1).Link.StartDirectory = "\\Install";
       },
       Severity::Error, "Install #1", "\\Install", "Start folder not found in the CD folder"},
      {"a drive letter works only on the author's machine",
       [](PlantedDisc& d) { d.Object(2).FileName = "C:\\Pictures\\box.jpg"; }, Severity::Error, "Box #2",
       "C:\\Pictures\\box.jpg", "Picture has a drive letter and lies outside the CD folder, so it will not be on the disc"},
      {"a network path", [](PlantedDisc& d) { d.Object(3).FileName = "\\\\server\\share\\intro.avi"; }, Severity::Error,
       "Intro #3", "\\\\server\\share\\intro.avi",
       "Clip is a network path outside the CD folder, so it will not be on the disc"},
      {"'..' steps that climb out, even when they come back down to a folder of the same name",
       [](PlantedDisc& d) { d.State.Project.StartSound = "\\Media\\..\\..\\Media\\start.wav"; },
       Severity::Error, "menu", "\\Media\\..\\..\\Media\\start.wav",
       "Start sound climbs out of the CD folder with \"..\", so it will not be on the disc"},
      {"a link target without its backslash is joined to the folder's own name",
       [](PlantedDisc& d) { d.Object(6).Link.Target = "Media\\click.wav"; }, Severity::Error, "Label #6",
       "Media\\click.wav",
       "Link target lacks its leading backslash and names a file beside the CD folder, not in it, so it will not be on "
       "the disc"},
      {"AutoRun.exe missing", [](PlantedDisc& d) { d.Remove("AutoRun.exe"); }, Severity::Error, "disc",
       "\\AutoRun.exe", "AutoRun.exe is missing: the disc has no player to show the menu. Save the menu to publish it"},
      {"autorun.inf missing", [](PlantedDisc& d) { d.Remove("autorun.inf"); }, Severity::Error, "disc",
       "\\autorun.inf", "autorun.inf is missing: Windows will not start the menu from the disc"},
      {"autorun.inf starting another program",
       [](PlantedDisc& d) { d.Plant("autorun.inf", "[AutoRun]\r\nopen=setup\\setup.exe /auto\r\nicon=AutoRun.ico\r\n"); },
       Severity::Error, "disc", "\\autorun.inf", "autorun.inf starts \"setup\\setup.exe /auto\" instead of AutoRun.exe"},
      {"an OPEN line outside the [autorun] section does not count",
       [](PlantedDisc& d) { d.Plant("autorun.inf", "[other]\r\nOPEN=AUTORUN.EXE\r\n"); }, Severity::Error, "disc",
       "\\autorun.inf", "autorun.inf has no OPEN line in its [autorun] section: Windows will not start the menu"},
      {"a project file cut short", [](PlantedDisc& d) { d.Plant("AutoRun.mnx", std::string("\x55\xAA\xAA\x55\x03", 5)); },
       Severity::Error, "menu", "\\AutoRun.mnx", "AutoRun.mnx is damaged: it cannot be read past byte"},
      {"a name longer than Joliet's 64 characters", [](PlantedDisc& d) { d.Plant(std::string(65, 'n') + ".txt", ""); },
       Severity::Warning, "disc", "\\" + std::string(65, 'n') + ".txt",
       "Name longer than 64 characters: a disc cuts or refuses it"},
      {"nine folders deep; only the first folder too deep is reported",
       [](PlantedDisc& d) { d.Plant("1/2/3/4/5/6/7/8/9/10/deep.txt", ""); }, Severity::Warning, "disc",
       "\\1\\2\\3\\4\\5\\6\\7\\8\\9", "Folder 9 levels deep: a disc takes at most 8"},
      {"characters Joliet refuses", [](PlantedDisc& d) { d.Plant("Docs/what?;.txt", ""); }, Severity::Warning, "disc",
       "\\Docs\\what?;.txt", "Name holds characters a disc refuses: ?;"},
      {"two names that differ only in letter case", [](PlantedDisc& d) { d.Plant("Docs/Page.HTML", ""); },
       Severity::Warning, "disc", "\\Docs\\page.html", "Differs from \"Page.HTML\" only in letter case"},
      {"Greek names that differ only in letter case, which Windows folds alike",
       [](PlantedDisc& d) {
         d.Plant(u8"Docs/Α.txt", "");
         d.Plant(u8"Docs/α.txt", "");
       },
       Severity::Warning, "disc", u8"\\Docs\\α.txt", u8"Differs from \"Α.txt\" only in letter case"},
      {"33 characters beyond U+FFFF are 66 UTF-16 units, more than Joliet's 64",
       [](PlantedDisc& d) {
         std::string name;
         for (int i = 0; i < 33; ++i) name += u8"\U0001D538";
         d.Plant("Docs/" + name, "");
       },
       Severity::Warning, "disc", "", "Name longer than 64 characters"},
      {"more than a CD holds", [](PlantedDisc& d) { d.PlantSparse("Media/video.mpg", 737280001ull); },
       Severity::Warning, "disc", "", "The folder takes 703.2 MB, more than a CD 700 MB holds: fits a DVD 4.7 GB"},
      {"more than any disc holds", [](PlantedDisc& d) { d.PlantSparse("Media/video.mpg", 8543666177ull); },
       Severity::Warning, "disc", "", "The folder takes 8147.9 MB, more than a CD 700 MB holds: fits no disc"},
      {"a web address typed with backslashes",
       [](PlantedDisc& d) { d.Object(0).Link.Target = "https:\\\\example.com\\support"; }, Severity::Warning, "Web #0",
       "https:\\\\example.com\\support", "The web address is not well formed"},
      {"an e-mail address without its domain", [](PlantedDisc& d) { d.Object(2).Link.Target = "help@"; },
       Severity::Warning, "Box #2", "help@", "The e-mail address is not well formed"},
      {"a web link from an older project, stored without a scheme",
       [](PlantedDisc& d) { d.Object(0).Link.Target = "www.example.com/support"; }, Severity::Warning, "Web #0",
       "www.example.com/support", "The web address lacks http:// or https://"},
      {"an HTML pane's web address that the file input of older versions stored as a file",
       [](PlantedDisc& d) { d.Object(4).FileName = "\\www.example.com"; }, Severity::Warning, "Page #4",
       "\\www.example.com", "HTML page looks like a web address stored without http:// or https://"},
      {"an HTML pane's web address stored without a scheme or a backslash",
       [](PlantedDisc& d) { d.Object(4).FileName = "www.example.com/menu"; }, Severity::Warning, "Page #4",
       "www.example.com/menu", "The web address lacks http:// or https://"},
      {"the temporary file of a save that was cut short", [](PlantedDisc& d) { d.Plant("AutoRun.mnx.saving", "half"); },
       Severity::Warning, "disc", "\\AutoRun.mnx.saving", "Left over from an interrupted save; delete it before burning"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Why);
    PlantedDisc disc;
    c.Plant(disc);
    const std::vector<Finding> findings = disc.Check();
    const std::vector<Finding> found = ErrorsAndWarnings(findings);
    ASSERT_EQ(found.size(), 1u) << Lines(findings);
    const Finding& f = found[0];
    EXPECT_EQ(f.Level, c.Level) << Lines(findings);
    EXPECT_EQ(FindingObjectText(f), c.Object);
    if (!c.Path.empty()) {
      EXPECT_EQ(f.Path, c.Path);
    }
    EXPECT_EQ(f.Message.rfind(c.Message, 0), 0u) << f.Message;
  }
}

TEST(CheckDisc, FindingsOfAnObjectCarryItsIndexAndComeSortedErrorsFirst) {
  PlantedDisc disc;
  disc.Plant("Docs/Page.HTML", "");
  disc.Remove("Media/box.jpg");
  disc.Remove("autorun.inf");
  const std::vector<Finding> findings = disc.Check();
  EXPECT_TRUE(std::is_sorted(findings.begin(), findings.end(),
                             [](const Finding& a, const Finding& b) { return a.Level < b.Level; }))
      << Lines(findings);
  auto picture = std::find_if(findings.begin(), findings.end(), [](const Finding& f) { return f.Path == "\\Media\\box.jpg"; });
  ASSERT_NE(picture, findings.end()) << Lines(findings);
  EXPECT_EQ(picture->Subject, FindingSubject::Object);
  EXPECT_EQ(picture->ObjectIndex, 2);
  EXPECT_EQ(picture->ObjectName, "Box");
  EXPECT_EQ(FindingsSummary(findings), "2 errors, 1 warning, 2 notes") << Lines(findings);
}

// The designer checks the menu on screen, which may differ from the saved file: a finding's index
// must name the object on screen, or a double-click selects another one.
TEST(CheckDisc, FindingsNameTheObjectsOfTheMenuOnScreen) {
  PlantedDisc disc;
  disc.Remove("Media/box.jpg");
  ASSERT_FALSE(disc.Check().empty());  // saves the project: Box is object 2 in AutoRun.mnx
  MenuProject& p = disc.State.Project;
  p.Objects.insert(p.Objects.begin(), MakeNewObject(ObjectKind::Button));
  p.Objects.front()->BitmapFile = "\\Glyphs\\new.bmp";
  const std::optional<std::vector<Finding>> findings = disc.CheckOnScreen();
  ASSERT_TRUE(findings);
  const std::vector<Finding> found = ErrorsAndWarnings(*findings);
  ASSERT_EQ(found.size(), 3u) << Lines(*findings);
  EXPECT_EQ(FindingLine(found[0]), "error: Button #0: Glyph not found in the CD folder [\\Glyphs\\new.bmp]");
  EXPECT_EQ(FindingLine(found[1]), "error: Box #3: Picture not found in the CD folder [\\Media\\box.jpg]");
  EXPECT_EQ(FindingLine(found[2]),
            "warning: menu: The menu on screen has changes that are not saved: the disc holds the menu as last saved");
}

// A screen reader names a linked object by its caption, else by its hint: a picture and a button
// that show no text need the hint. Checked on the menu on screen, whose copy carries the hints.
TEST(CheckDisc, WarnsOfLinkedObjectsAScreenReaderCannotName) {
  PlantedDisc disc;
  disc.Check();
  MenuObject& box = disc.Object(2);
  box.Base().Hint = " ";
  MenuObject& install = disc.Object(1);
  install.AsButton()->Caption = "&";
  // Without a link, a picture only decorates and a bare button does nothing: no need to name them.
  disc.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Image));
  disc.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));
  disc.Object(8).AsButton()->Caption = "";
  const std::optional<std::vector<Finding>> findings = disc.CheckOnScreen();
  ASSERT_TRUE(findings);
  std::vector<std::string> lines;
  for (const Finding& f : ErrorsAndWarnings(*findings)) lines.push_back(FindingLine(f));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "warning: menu: The menu on screen has changes that are not saved: the disc holds the menu as "
                       "last saved",
                       "warning: Install #1: The linked button has neither a caption nor a hint, so screen readers "
                       "cannot say what it does",
                       "warning: Box #2: The linked image has no hint, so screen readers cannot say what it does"}));
  install.Base().Hint = "Install the program";
  box.Base().Hint = "The box";
  EXPECT_EQ(ErrorsAndWarnings(disc.CheckOnScreen().value()).size(), 1u);
}

// The caption's colours against the panel's gradient, each font on its own; read from the saved
// file, whose fonts and bounds the check must carry through.
TEST(CheckDisc, WarnsOfCaptionsThatReadBelowTheirContrast) {
  PlantedDisc disc;
  MenuProject& p = disc.State.Project;
  p.BackColor = 0xC0C0C0;  // silver: white reads at 1.8 : 1, black at 11.6 : 1
  LabelControl& web = *disc.Object(0).AsLabel();
  web.Transparent = true;
  web.Font.Color = kClBlack;
  disc.Object(0).HotTrackFont = web.Font;
  disc.Object(0).HotTrackFont.Color = kClWhite;
  const std::vector<Finding> found = ErrorsAndWarnings(disc.Check());
  ASSERT_EQ(found.size(), 1u) << Lines(found);
  EXPECT_EQ(FindingLine(found[0]),
            "warning: Web #0: The caption's hot-track colour #FFFFFF reads at 1.8 : 1 against #C0C0C0 behind it; "
            "text of its size needs 4.5 : 1");
  // Large bold text needs only 3 : 1, which black on a dark grey (#606060, 3.3 : 1) reaches.
  disc.Object(0).HotTrackFont.Color = kClBlack;
  p.BackColor = 0x606060;
  web.Font.Size = 14;
  web.Font.Style = fsBold;
  disc.Object(0).HotTrackFont = web.Font;
  EXPECT_TRUE(ErrorsAndWarnings(disc.Check()).empty()) << Lines(disc.Check());
  web.Font.Style = 0;
  const std::vector<Finding> small = ErrorsAndWarnings(disc.Check());
  ASSERT_EQ(small.size(), 1u) << Lines(small);
  EXPECT_EQ(small[0].Message,
            "The caption's colour #000000 reads at 3.3 : 1 against #606060 behind it; text of its size needs 4.5 : 1");
}

// A link back to a parent would be walked for ever, one out of the folder would check what is
// not the CD folder: both are reported once and not followed.
TEST(CheckDisc, FolderLinksAreReportedAndNotFollowed) {
  PlantedDisc disc;
  const fs::path outside = disc.Root.string() + "-outside";
  fs::create_directories(outside);
  std::ofstream(outside / "elsewhere.txt") << "x";
  fs::create_directory_symlink(disc.Root, disc.Root / "Media" / "Loop");
  fs::create_directory_symlink(outside, disc.Root / "Out");
  disc.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Image));
  disc.Object(7).FileName = "\\Out\\elsewhere.bmp";
  const std::vector<Finding> findings = disc.Check();
  fs::remove_all(outside);
  const std::vector<Finding> found = ErrorsAndWarnings(findings);
  ASSERT_EQ(found.size(), 2u) << Lines(findings);
  EXPECT_EQ(found[0].Path, "\\Media\\Loop");
  EXPECT_EQ(found[1].Path, "\\Out");
  EXPECT_EQ(found[1].Message, "Folder link (symbolic link or junction) not followed: what it points to was not checked");
  // What lies behind a link is neither found nor missing; the links are not unused either.
  const std::string lines = Lines(findings);
  EXPECT_NE(lines.find("note: Image #7: Picture lies behind a folder link, so it was not checked [\\Out\\elsewhere.bmp]"),
            std::string::npos)
      << lines;
  EXPECT_EQ(lines.find("Nothing in the menu uses"), std::string::npos) << lines;
  EXPECT_NE(lines.find("in 14 files"), std::string::npos) << lines;
}

TEST(CheckDisc, ReportsHowFarItHasComeAndStopsWhenAsked) {
  PlantedDisc disc;
  for (int i = 0; i < 600; ++i) disc.Plant("Many/file" + std::to_string(i) + ".txt", "");
  ASSERT_FALSE(disc.Check().empty());
  std::vector<DiscCheckProgress> reports;
  ASSERT_TRUE(disc.CheckOnScreen([&](const DiscCheckProgress& p) {
    reports.push_back(p);
    return true;
  }));
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports.back().Now, DiscCheckProgress::Step::Checking);
  EXPECT_EQ(reports.back().Files, 614u);
  EXPECT_EQ(reports.back().Folders, 6u);
  // Stopped while it reads the folder: it reads no further, and gives no findings at all rather
  // than those found so far.
  uint64_t lastRead = 0;
  const std::optional<std::vector<Finding>> stopped = disc.CheckOnScreen([&](const DiscCheckProgress& p) {
    lastRead = p.Files;
    return p.Now != DiscCheckProgress::Step::Reading || p.Files < 256;
  });
  EXPECT_FALSE(stopped);
  EXPECT_EQ(lastRead, 256u);
}

// The saved menu is read as the player reads it: names in code page 1252 and in the extension
// block are found; a block that cannot be trusted leaves the 8-bit names, and says so.
TEST(CheckDisc, NamesOfEveryScriptAreFoundAndAnUntrustedBlockIsNoted) {
  PlantedDisc disc;
  disc.State.Project.StartSound = u8"\\Media\\Ünïcode.wav";
  disc.Object(2).FileName = u8"\\Media\\Εικόνα.jpg";
  disc.Plant(u8"Media/Ünïcode.wav", "x");
  disc.Plant(u8"Media/Εικόνα.jpg", "x");
  // Found in another letter case, as Windows finds a Greek name.
  disc.Object(2).HotTrackImageFile = u8"\\MEDIA\\ΕΙΚΌΝΑ.JPG";
  const std::vector<Finding> whole = disc.Check();
  EXPECT_TRUE(ErrorsAndWarnings(whole).empty()) << Lines(whole);

  std::string damaged = SerializeProject(disc.State, std::string(80, '\0')).value();
  damaged[damaged.size() - 9] ^= 1;  // the block's CRC
  disc.Plant(kProjectFileName, damaged);
  const std::string lines = Lines(disc.Check());
  EXPECT_NE(lines.find("note: menu: AutoRun.mnx ends with a block of Unicode text that is damaged"), std::string::npos)
      << lines;
  EXPECT_NE(lines.find("[\\Media\\??????.jpg]"), std::string::npos) << lines;
}

// A reader of the 8-bit strings alone sees '?' where the code page has no letter: the check says so,
// and says nothing when the code page holds the text.
TEST(CheckDisc, NotesTextThatOnlyTheExtensionBlockHolds) {
  PlantedDisc disc;
  std::get<LabelControl>(disc.Object(0).Control).Caption = u8"Καλώς ήρθατε";
  const std::string lines = Lines(disc.Check());
  EXPECT_NE(lines.find(u8"note: Web #0: Caption \"Καλώς ήρθατε\" is shown in Unicode; 8-bit readers see "
                       u8"\"????? ??????\""),
            std::string::npos)
      << lines;

  // Saved in the Greek code page the caption needs no block; the Chinese hint beside it does.
  StdPlatform greek("test: ", 1253);
  disc.State.Env.Codes = &greek.Codes;
  disc.Object(0).Base().Hint = u8"欢迎";
  disc.Plant(kProjectFileName, SerializeProject(disc.State, std::string(80, '\0')).value());
  const std::string inGreek = Lines(CheckDisc(disc.Env.Files, disc.Root.string(), &greek.Codes));
  EXPECT_EQ(inGreek.find("Caption"), std::string::npos) << inGreek;
  EXPECT_NE(inGreek.find(u8"Hint \"欢迎\" is shown in Unicode; 8-bit readers see \"??\""), std::string::npos)
      << inGreek;
}

TEST(CheckDisc, AFolderThatIsNotThereIsOneError) {
  StdFileSystem files;
  const std::vector<Finding> findings = CheckDisc(files, (fs::temp_directory_path() / "corvela-no-such-disc").string());
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(FindingLine(findings[0]), "error: disc: The CD folder does not exist or cannot be read");
}

// The demo disc as a save publishes it: the build makes its media and project, a save adds the
// player, autorun.inf and the start page.
TEST(CheckDisc, ThePublishedDemoDiscIsClean) {
  const fs::path demo = CORVELA_DEMO_DIR;
  ASSERT_TRUE(fs::exists(demo / "AutoRun.mnx")) << demo;
  const fs::path cd = fs::temp_directory_path() / ("corvela-demo-check-" + std::to_string(std::random_device()()));
  fs::remove_all(cd);
  fs::copy(demo, cd, fs::copy_options::recursive);
  std::ofstream(cd / "AutoRun.exe", std::ios::binary) << "player";
  std::ofstream(cd / "autorun.inf", std::ios::binary) << kAutorunInf;
  std::ofstream(cd / kStartPageFileName, std::ios::binary) << "<!DOCTYPE html>";
  StdFileSystem files;
  const std::vector<Finding> findings = CheckDisc(files, cd.string());
  fs::remove_all(cd);
  EXPECT_TRUE(ErrorsAndWarnings(findings).empty()) << Lines(findings);
  // The size note, after the note that the start page leaves the Exit button out.
  ASSERT_FALSE(findings.empty());
  EXPECT_NE(FindingLine(findings.back()).find("fits a CD 700 MB"), std::string::npos) << Lines(findings);
}

}  // namespace
}  // namespace corvela

namespace corvela {
namespace {

TEST(CheckDisc, TheStartPageAndItsPicturesCountAndWhatItLeavesOutIsNoted) {
  PlantedDisc disc;
  disc.State.Project.PublishStartPage = true;
  MenuObject& quit = *disc.State.Project.Objects.emplace_back(MakeNewObject(ObjectKind::Button));
  quit.Base().Name = "Quit";
  quit.AsButton()->Caption = "Quit";
  quit.Link.Action = LinkAction::ExitAutoRun;
  disc.Plant("Start.html", "<img src=\"Start.files/o1.png\"><img src=\"Start.files/o2.png\">");
  disc.Plant("Start.files/o1.png", "png");
  std::vector<Finding> findings = disc.Check();
  std::vector<std::string> lines;
  for (const Finding& f : findings) lines.push_back(FindingLine(f));
  // The page shows a picture the folder lacks; o1.png is used, so nothing calls it unused.
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "error: disc: The start page shows a picture that is missing: save the menu again "
                       "[\\Start.files\\o2.png]"),
            1)
      << Lines(findings);
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "note: Quit #7: The start page leaves this object out: a browser's page has no menu window to "
                       "close"),
            1)
      << Lines(findings);
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "note: Install #1: On the start page this link opens the file without its parameters and start "
                       "folder [\\Setup\\setup.exe]"),
            1);
  EXPECT_EQ(ErrorsAndWarnings(findings).size(), 1u) << Lines(findings);
  for (const std::string& line : lines) EXPECT_EQ(line.find("uses this"), std::string::npos) << line;

  disc.Remove("Start.html");
  findings = disc.Check();
  ASSERT_EQ(ErrorsAndWarnings(findings).size(), 1u) << Lines(findings);
  EXPECT_EQ(ErrorsAndWarnings(findings)[0].Message,
            "Start.html is missing: computers that do not start the player have no page to open. Save the menu to "
            "publish it");
}

}  // namespace
}  // namespace corvela
