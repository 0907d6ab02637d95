// The designer's disc tasks with their real templates, driven from a helper thread as a user
// would: the Check Disc list over a planted folder, Make ISO Image on its worker thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "app/DesignerCommands.h"
#include "app/win/Application.h"
#include "app/win/MainForm.h"
#include "designer/Commands.h"
#include "designer/DiscTasks.h"
#include "designer/Selection.h"
#include "designer/win/CheckDiscForm.h"
#include "designer/win/DiscCheckRun.h"
#include "designer/win/MakeIsoForm.h"
#include "dialogs/win/DialogIds.h"
#include "platform/win/Win32FileSystem.h"
#include "project/Publish.h"
#include "support/FakePlatform.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::WaitFor;
using testing::WindowText;
using testing::WriteBytes;

using Driver = testing::DialogScript;

std::string CellText(HWND list, int row, int column) {
  char text[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

void Click(HWND dialog, int id) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// A CD folder published from a project with a label and a button, beside a designer of its own.
struct PublishedCd {
  PublishedCd() {
    ::CreateDirectoryA(tools.c_str(), nullptr);
    ::CreateDirectoryA(cd.c_str(), nullptr);
    WriteBytes(tools + "\\Corvela.exe", "MZ designer");
    WriteBytes(tools + "\\Default.ico", std::string("\0\0\1\0icon", 8));
    world.Env.Files = &files;
    world.State.ExeFileName = tools + "\\Corvela.exe";
    world.State.CDFolder = cd;
    NewProject(world.State);
    // A new label's black caption reads poorly on the new menu's blue: on white, it raises no finding.
    project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
    project.BackColor = kClWhite;
    project.Objects.push_back(MakeNewObject(ObjectKind::Label));
    project.Objects.push_back(MakeNewObject(ObjectKind::Button));
  }
  bool Publish() { return PublishCDFolder(world.State, cd); }

  testing::TempFolder root;
  const std::string tools = root / "tools", cd = root / "cd";
  win::Win32FileSystem files;
  testing::FakeWorld world;
  MenuProject& project = world.State.Project;
};

// Its listings wait for the test, so that the dialog is seen while the check runs: the CD folder
// is listed at once, the first folder in it only once Release is set.
class GatedFiles : public win::Win32FileSystem {
 public:
  bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) override {
    if (listed_++ > 0) {
      ::SetEvent(Reached.get());
      ::WaitForSingleObject(Release.get(), 10000);
    }
    return Win32FileSystem::ListFolder(path, entries);
  }
  win::UniqueKernelHandle Reached{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  win::UniqueKernelHandle Release{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};

 private:
  std::atomic<int> listed_{0};
};

TEST(CheckDiscDialog, ListsThePlantedFindingsErrorsFirstAndADoubleClickSelectsTheObject) {
  PublishedCd disc;
  ASSERT_TRUE(WriteBytes(disc.cd + "\\unused.txt", "nothing links here"));
  MenuProject& project = disc.project;
  project.Objects[1]->BitmapFile = "\\Glyphs\\go.bmp";
  project.Objects[0]->Selected = true;
  ASSERT_TRUE(disc.Publish());

  win::CheckDiscForm form;
  form.Findings = CheckDisc(disc.files, disc.cd);
  int32_t selected = -1;
  form.SelectObject = [&](int32_t index) {
    selected = index;
    SelectOnlyObject(project, index);
  };
  std::atomic<int> rows{0};
  std::string first, last, summary;
  bool goOnShown = true;
  Driver driver("Check Disc", [&](HWND dialog) {
    HWND list = ::GetDlgItem(dialog, IDC_CHECK_LIST);
    rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    first = CellText(list, 0, 0) + "|" + CellText(list, 0, 1) + "|" + CellText(list, 0, 2) + "|" + CellText(list, 0, 3);
    last = CellText(list, rows - 1, 0);
    summary = WindowText(::GetDlgItem(dialog, IDC_CHECK_SUMMARY));
    goOnShown = ::IsWindowVisible(::GetDlgItem(dialog, IDOK));
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    ::PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  });
  const win::CheckDiscForm::Choice choice = form.Execute();
  driver.Finish();
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(rows, static_cast<int>(form.Findings.size()));
  EXPECT_EQ(first, "Error|Button #1|Glyph not found in the CD folder|\\Glyphs\\go.bmp");
  EXPECT_EQ(last, "Note");
  EXPECT_EQ(summary, FindingsSummary(form.Findings));
  EXPECT_FALSE(goOnShown);
  EXPECT_EQ(choice, win::CheckDiscForm::Choice::ObjectSelected);
  EXPECT_EQ(selected, 1);
  EXPECT_FALSE(project.Objects[0]->Selected);
  EXPECT_TRUE(project.Objects[1]->Selected);
}

// While the check runs the dialog shows how far it has come; Cancel stops it, and the dialog ends
// once it has stopped, with nothing to show.
TEST(CheckDiscDialog, ShowsTheProgressOfARunningCheckAndCancelStopsIt) {
  PublishedCd disc;
  ASSERT_TRUE(disc.Publish());
  ::CreateDirectoryA((disc.cd + "\\Media").c_str(), nullptr);
  GatedFiles gated;
  win::DiscCheckRun run(disc.cd, TakeMenuSnapshot(disc.project, false), &gated);
  win::CheckDiscForm form;
  form.Run = &run;
  std::string progress, cancelling, button;
  bool listEnabled = true, cancelEnabled = true;
  // CORVELA_HOLD_MS keeps the progress line on screen for the user guide's screenshot.
  Driver driver("Check Disc", [&](HWND dialog) {
    if (::WaitForSingleObject(gated.Reached.get(), 5000) != WAIT_OBJECT_0) return;
    WaitFor([&] { return !WindowText(::GetDlgItem(dialog, IDC_CHECK_SUMMARY)).empty(); }, 2000);
    progress = WindowText(::GetDlgItem(dialog, IDC_CHECK_SUMMARY));
    button = WindowText(::GetDlgItem(dialog, IDCANCEL));
    listEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_CHECK_LIST)) != 0;
    if (const char* hold = std::getenv("CORVELA_HOLD_MS")) ::Sleep(static_cast<DWORD>(std::atoi(hold)));
    Click(dialog, IDCANCEL);
    cancelling = WindowText(::GetDlgItem(dialog, IDC_CHECK_SUMMARY));
    cancelEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDCANCEL)) != 0;
    ::SetEvent(gated.Release.get());
  });
  const win::CheckDiscForm::Choice choice = form.Execute();
  driver.Finish();
  ::SetEvent(gated.Release.get());
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(progress.rfind("Reading the CD folder: ", 0), 0u) << progress;
  EXPECT_EQ(button, "Cancel");
  EXPECT_FALSE(listEnabled);
  EXPECT_EQ(cancelling, "Cancelling ...");
  EXPECT_FALSE(cancelEnabled);
  EXPECT_EQ(choice, win::CheckDiscForm::Choice::Cancelled);
  ASSERT_TRUE(run.Ended());
  EXPECT_FALSE(run.Result());
}

// Before Save and Test and Make ISO Image the list shows only when the findings need a look: a
// check that outlasts the quiet wait ends its own progress window when they do not.
TEST(CheckDiscDialog, EndsByItselfWhenTheFindingsNeedNoLook) {
  PublishedCd disc;
  ASSERT_TRUE(disc.Publish());
  ::CreateDirectoryA((disc.cd + "\\Media").c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(disc.cd + "\\Media\\unused.txt", "a note, no error"));
  GatedFiles gated;
  win::DiscCheckRun run(disc.cd, TakeMenuSnapshot(disc.project, false), &gated);
  win::CheckDiscForm form;
  form.Run = &run;
  form.GoOnCaption = "Test Anyway";
  form.NeedsLook = [](const std::vector<Finding>& findings) { return CountFindings(findings, Severity::Error) > 0; };
  Driver driver("Check Disc", [&](HWND) { ::SetEvent(gated.Release.get()); });
  const win::CheckDiscForm::Choice choice = form.Execute();
  driver.Finish();
  ::SetEvent(gated.Release.get());
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(choice, win::CheckDiscForm::Choice::GoOn);
  EXPECT_EQ(CountFindings(form.Findings, Severity::Note), 2) << form.Findings.size();
}

// Thousands of unused files would bury the one error: findings of one kind share one line that a
// double-click or Enter opens and Left folds. CORVELA_HOLD_MS keeps the list open for a screenshot.
TEST(CheckDiscDialog, ManyFindingsOfOneKindShareALineThatOpensAndFolds) {
  PublishedCd disc;
  disc.project.Objects[1]->BitmapFile = "\\Glyphs\\go.bmp";
  ASSERT_TRUE(disc.Publish());
  for (int i = 0; i < 40; ++i)
    ASSERT_TRUE(WriteBytes(disc.cd + "\\unused" + std::to_string(100 + i) + ".txt", "nothing links here"));
  win::DiscCheckRun run(disc.cd, TakeMenuSnapshot(disc.project, false));
  win::CheckDiscForm form;
  form.Run = &run;
  std::atomic<int> before{0}, after{0}, folded{0}, entered{0};
  std::string group, opened, member;
  Driver driver("Check Disc", [&](HWND dialog) {
    if (!WaitFor([&] { return WindowText(::GetDlgItem(dialog, IDCANCEL)) == "Close"; }, 10000)) return;
    HWND list = ::GetDlgItem(dialog, IDC_CHECK_LIST);
    before = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    const int last = before - 1;
    group = CellText(list, last, 0) + "|" + CellText(list, last, 1) + "|" + CellText(list, last, 2);
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageA(list, LVM_GETITEMRECT, last, reinterpret_cast<LPARAM>(&r));
    ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    after = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    opened = CellText(list, last, 2);
    member = CellText(list, last + 1, 2) + "|" + CellText(list, last + 1, 3);
    // The keys as the dialog's message loop hands them on: Left on a member folds its group away.
    LVITEMA select{};
    select.stateMask = select.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, last + 5, reinterpret_cast<LPARAM>(&select));
    ::SetFocus(list);
    ::PostMessageA(list, WM_KEYDOWN, VK_LEFT, 0);
    WaitFor([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == before; }, 2000);
    folded = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    WaitFor([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) != before; }, 2000);
    entered = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    if (const char* hold = std::getenv("CORVELA_HOLD_MS")) ::Sleep(static_cast<DWORD>(std::atoi(hold)));
    Click(dialog, IDCANCEL);
  });
  const win::CheckDiscForm::Choice choice = form.Execute();
  driver.Finish();
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(choice, win::CheckDiscForm::Choice::Closed);
  // The glyph's error, the size note and the group's line.
  EXPECT_EQ(before, 3);
  EXPECT_EQ(group, "Note|disc|[+] Nothing in the menu uses this file (40 findings)");
  EXPECT_EQ(after, 43);
  EXPECT_EQ(opened, "[-] Nothing in the menu uses this file (40 findings)");
  EXPECT_EQ(member, "Nothing in the menu uses this file|\\unused100.txt");
  EXPECT_EQ(folded, 3);
  EXPECT_EQ(entered, 43);
}

// Under Wine only a folder link made on the Linux side is a reparse point: tests/win/linked_folder.sh
// makes a CD folder with a link back to its parent and one out of it, and names it here.
TEST(CheckDiscLinks, FolderLinksAreListedAsLinksAndNotFollowed) {
  const char* cd = std::getenv("CORVELA_LINKED_DISC");
  if (!cd) GTEST_SKIP() << "run by tests/win/linked_folder.sh";
  win::Win32FileSystem files;
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(files.ListFolder(std::string(cd) + "\\Media", entries));
  std::string listed;
  for (const FolderEntry& e : entries) listed += e.Name + (e.IsFolder ? "/" : "") + (e.IsLink ? "@ " : " ");
  EXPECT_NE(listed.find("Loop/@ "), std::string::npos) << listed;
  EXPECT_NE(listed.find("Sub/ "), std::string::npos) << listed;
  EXPECT_NE(listed.find("real.txt "), std::string::npos) << listed;

  std::string links, unreadable;
  for (const Finding& f : CheckDisc(files, cd)) {
    if (f.Message.rfind("Folder link", 0) == 0) links += f.Path + " ";
    if (f.Message.find("cannot be read") != std::string::npos) unreadable += FindingLine(f) + "\n";
  }
  EXPECT_EQ(links, "\\Media\\Loop \\Out ");
  EXPECT_EQ(unreadable, "");
}

// A CD folder named in Greek and Chinese holding Greek names, one of them linked in capitals: the
// check lists, measures and looks up every name through the wide calls and finds nothing wrong.
TEST(CheckDiscScripts, AFolderNamedInGreekAndChineseWithGreekFileNamesFindsNothingFalse) {
  testing::TempFolder root;
  win::Win32FileSystem files;
  const std::string tools = root / "tools", cd = root / u8"Δίσκος 菜单";
  ASSERT_TRUE(files.CreateFolder(tools));
  ASSERT_TRUE(files.CreateFolder(cd));
  ASSERT_TRUE(files.CreateFolder(cd + u8"\\Έγγραφα"));
  ASSERT_TRUE(WriteBytes(tools + "\\Corvela.exe", "MZ designer"));
  ASSERT_TRUE(WriteBytes(tools + "\\Default.ico", std::string("\0\0\1\0icon", 8)));
  ASSERT_TRUE(WriteBytes(cd + u8"\\Έγγραφα\\Εγχειρίδιο χρήστη.txt", "text"));
  testing::FakeWorld world;
  world.Env.Files = &files;
  world.State.ExeFileName = tools + "\\Corvela.exe";
  world.State.CDFolder = cd;
  NewProject(world.State);
  MenuProject& project = world.State.Project;
  project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  project.BackColor = kClWhite;
  project.Objects.push_back(MakeNewObject(ObjectKind::Label));
  MenuObject& label = *project.Objects.back();
  std::get<LabelControl>(label.Control).Caption = u8"Οδηγός χρήσης";
  label.Link.Action = LinkAction::OpenFile;
  label.Link.Target = u8"\\ΈΓΓΡΑΦΑ\\ΕΓΧΕΙΡΊΔΙΟ ΧΡΉΣΤΗ.TXT";
  ASSERT_TRUE(PublishCDFolder(world.State, cd));

  std::string wrong;
  for (const Finding& f : CheckDisc(files, cd, &world.Codes))
    if (f.Level != Severity::Note || f.Message.rfind("Nothing in the menu uses", 0) == 0) wrong += FindingLine(f) + "\n";
  EXPECT_EQ(wrong, "");
}

// Final sigma is left out: the file system's upper case keeps ς apart from Σ.
TEST(CheckDiscScripts, NamesFoldAsWindowsComparesThemInEveryScript) {
  win::Win32FileSystem files;
  EXPECT_EQ(files.FoldedName(u8"α.txt"), files.FoldedName(u8"Α.TXT"));
  EXPECT_EQ(files.FoldedName(u8"Εγχειρίδιο"), files.FoldedName(u8"ΕΓΧΕΙΡΊΔΙΟ"));
  EXPECT_EQ(files.FoldedName(u8"файл"), files.FoldedName(u8"ФАЙЛ"));
  EXPECT_NE(files.FoldedName(u8"α.txt"), files.FoldedName(u8"β.txt"));
  EXPECT_EQ(files.FoldedName(u8"菜单"), u8"菜单");
}

// The real writer, held at its first progress report so that Cancel comes while the image is
// half written.
class PausingWriter : public DiscImageWriter {
 public:
  DiscImageResult Write(const DiscImageRequest& request, const DiscImageProgress& progress) override {
    return real_->Write(request, [&](uint64_t done, uint64_t total) {
      if (!progress(done, total)) return false;
      if (done == 0 || paused_) return true;
      paused_ = true;
      ::SetEvent(Reached.get());
      ::WaitForSingleObject(Resume.get(), 10000);
      return progress(done, total);
    });
  }
  win::UniqueKernelHandle Reached{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  win::UniqueKernelHandle Resume{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};

 private:
  std::unique_ptr<DiscImageWriter> real_ = MakeLibarchiveImageWriter(&win::MoveFileReplacing);
  bool paused_ = false;
};

TEST(MakeIsoDialog, CancelStopsTheWriterAndLeavesTheOldImageAsItWas) {
  testing::TempFolder root;
  const std::string cd = root / "cd";
  ::CreateDirectoryA(cd.c_str(), nullptr);
  // Several of the writer's 1 MB steps.
  ASSERT_TRUE(WriteBytes(cd + "\\big.bin", std::string(6 << 20, 'x')));
  ASSERT_TRUE(WriteBytes(root / "menu.iso", "yesterday's image"));
  PausingWriter writer;
  win::MakeIsoForm form;
  form.Writer = &writer;
  form.Request.Folder = std::filesystem::path(cd).native();
  form.Request.Image = std::filesystem::path(root / "menu.iso").native();
  std::atomic<bool> halfWritten{false}, buttonEnabledAfterCancel{true};
  Driver driver("Make ISO Image", [&](HWND dialog) {
    if (::WaitForSingleObject(writer.Reached.get(), 10000) != WAIT_OBJECT_0) return;
    halfWritten = ::GetFileAttributesA((root / "menu.iso.saving").c_str()) != INVALID_FILE_ATTRIBUTES;
    Click(dialog, IDCANCEL);
    buttonEnabledAfterCancel = ::IsWindowEnabled(::GetDlgItem(dialog, IDCANCEL)) != 0;
    ::SetEvent(writer.Resume.get());
  });
  form.Execute();
  driver.Finish();
  ASSERT_TRUE(driver.Found());
  EXPECT_TRUE(halfWritten);
  EXPECT_FALSE(buttonEnabledAfterCancel);
  EXPECT_EQ(form.Result.Outcome, DiscImageOutcome::Cancelled);
  EXPECT_EQ(testing::ReadBytes(root / "menu.iso"), "yesterday's image");
  EXPECT_EQ(::GetFileAttributesA((root / "menu.iso.saving").c_str()), INVALID_FILE_ATTRIBUTES);
}

// With CORVELA_ISO_SOURCE and CORVELA_ISO_IMAGE set, tests/iso/check_image.py reads the image
// back with xorriso and pycdlib; without them the test writes a small folder of its own.
// CORVELA_HOLD_MS keeps the finished dialog open for the user guide's screenshot.
TEST(MakeIsoDialog, WritesTheImageAndEndsWithItsSizeAndMedium) {
  testing::TempFolder root;
  std::filesystem::path source = root / "cd", image = root / "menu.iso";
  if (const wchar_t* given = ::_wgetenv(L"CORVELA_ISO_SOURCE")) source = given;
  if (const wchar_t* given = ::_wgetenv(L"CORVELA_ISO_IMAGE")) image = given;
  if (!::_wgetenv(L"CORVELA_ISO_SOURCE")) {
    ::CreateDirectoryA((root / "cd").c_str(), nullptr);
    ASSERT_TRUE(WriteBytes(root / "cd\\readme.txt", "on the disc"));
    // The complete image takes the old one's place.
    ASSERT_TRUE(WriteBytes(root / "menu.iso", "yesterday's image"));
  }
  std::unique_ptr<DiscImageWriter> writer = MakeLibarchiveImageWriter(&win::MoveFileReplacing);
  win::MakeIsoForm form;
  form.Writer = writer.get();
  form.Request = {source.native(), image.native(), "Caf\xE9 Menu"};
  std::string status;
  int position = -1;
  Driver driver("Make ISO Image", [&](HWND dialog) {
    if (!WaitFor([&] { return WindowText(::GetDlgItem(dialog, IDCANCEL)) == "Close"; }, 20000)) return;
    status = WindowText(::GetDlgItem(dialog, IDC_ISO_STATUS));
    position = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_ISO_PROGRESS, PBM_GETPOS, 0, 0));
    // scripts/guide-screenshots.sh photographs the finished dialog meanwhile.
    if (const char* hold = std::getenv("CORVELA_HOLD_MS")) ::Sleep(static_cast<DWORD>(std::atoi(hold)));
    Click(dialog, IDCANCEL);
  });
  form.Execute();
  driver.Finish();
  ASSERT_TRUE(driver.Found());
  ASSERT_EQ(form.Result.Outcome, DiscImageOutcome::Written) << form.Result.Error;
  EXPECT_EQ(status, ImageDoneText(form.Result.ImageBytes));
  EXPECT_NE(status.find("fits a CD 700 MB"), std::string::npos) << status;
  EXPECT_EQ(position, kProgressSteps);
  std::error_code ec;
  EXPECT_EQ(std::filesystem::file_size(image, ec), form.Result.ImageBytes);
}

// The default image's place is chosen by trying to create a file there: the try leaves nothing.
TEST(MakeIsoCommand, TheProbeForAWritableFolderLeavesNothingBehind) {
  testing::TempFolder folder;
  win::Win32FileSystem files;
  EXPECT_TRUE(files.CanCreateFileIn(folder.Path()));
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(files.ListFolder(folder.Path(), entries));
  EXPECT_TRUE(entries.empty()) << entries[0].Name;
  EXPECT_FALSE(files.CanCreateFileIn(folder / "missing"));
  EXPECT_TRUE(files.DirectoryExists(files.DocumentsFolder())) << files.DocumentsFolder();
}

// File > Make ISO Image...: the image's name is asked for in a Save As box beside the CD folder,
// then the image of the published folder is written; a name inside the CD folder is refused.
TEST(MakeIsoCommand, AsksForTheImageBesideTheCdFolderAndWritesIt) {
  testing::TempFolder folder;
  ::CreateDirectoryA((folder / "cd").c_str(), nullptr);
  ASSERT_TRUE(testing::CopyFromExeFolder("Corvela.exe", folder / "Corvela.exe"));
  ASSERT_TRUE(testing::CopyFromExeFolder("Default.ico", folder / "Default.ico"));
  ASSERT_TRUE(WriteBytes(folder / "Corvela.ini", "DefaultPath=" + (folder / "cd") + "\r\n"));
  win::Application app;
  ASSERT_TRUE(app.Start(folder / "Corvela.exe"));
  AppState& state = app.State();
  // A message would wait for a click that no one gives: it is kept and looked at instead.
  testing::FakeUi ui;
  state.Env.Ui = &ui;
  state.Project.Form.Caption = "Demo Menu";
  ASSERT_TRUE(SaveCommand(state)) << (ui.Shown.empty() ? "" : ui.Shown[0].Text);
  testing::FakeChooser chooser;
  chooser.Answer = folder / "menu.iso";
  state.Env.Chooser = &chooser;
  // A clean folder: no Check Disc list comes between the Save As box and the image.
  ASSERT_FALSE(HasErrorsOrWarnings(CheckDisc(*state.Env.Files, state.CDFolder)));
  Driver progress("Make ISO Image", [](HWND dialog) {
    if (WaitFor([&] { return WindowText(::GetDlgItem(dialog, IDCANCEL)) == "Close"; }, 20000)) Click(dialog, IDCANCEL);
  });
  ::SendMessageA(app.Main()->hwnd(), WM_COMMAND, cmdMakeIsoImage, 0);
  progress.Finish();
  state.Modified = false;
  app.Main()->ClosingAllowed = true;

  ASSERT_EQ(chooser.Requests.size(), 1u);
  const FileChooserRequest& asked = chooser.Requests[0];
  EXPECT_TRUE(asked.Save);
  EXPECT_EQ(asked.InitialDir, folder.Path());
  EXPECT_EQ(asked.FileName, "DEMO_MENU.iso");
  EXPECT_EQ(asked.DefaultExtension, "iso");
  ASSERT_TRUE(progress.Found());
  EXPECT_TRUE(ui.Shown.empty()) << ui.Shown[0].Text;
  std::error_code ec;
  EXPECT_GT(std::filesystem::file_size(std::filesystem::path(folder / "menu.iso"), ec), 32768u);

  // An image inside the CD folder would hold itself: refused before the check and the writer.
  chooser.Answer = folder / "cd\\menu.iso";
  Driver refused("Make ISO Image", [](HWND) {});
  ::SendMessageA(app.Main()->hwnd(), WM_COMMAND, cmdMakeIsoImage, 0);
  refused.Finish();
  EXPECT_FALSE(refused.Found());
  ASSERT_EQ(ui.Shown.size(), 1u);
  EXPECT_NE(ui.Shown[0].Text.find("would hold itself"), std::string::npos) << ui.Shown[0].Text;
  EXPECT_EQ(::GetFileAttributesA((folder / "cd\\menu.iso").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace corvela
