// The main window's disc tasks: Check Disc, the check before Save and Test, Make ISO Image.
#include "app/win/MainForm.h"

#include <algorithm>

#include "app/DesignerCommands.h"
#include "designer/DiscTasks.h"
#include "designer/Selection.h"
#include "designer/win/CheckDiscForm.h"
#include "designer/win/DiscCheckRun.h"
#include "designer/win/MakeIsoForm.h"
#include "platform/win/Win32FileSystem.h"
#include "project/DiscImage.h"
#include "project/DiscLabel.h"
#include "platform/win/WideText.h"

namespace corvela::win {

namespace {

constexpr char kIsoFilter[] = "ISO images (*.iso)|*.iso|All files (*.*)|*.*";
// How long a check may take before its progress shows.
constexpr DWORD kQuietCheckMs = 100;

// The designer's paths are UTF-8; the writer takes wide paths.
NativePath WidePath(const std::string& path) { return Wide(path); }

}  // namespace

// Both tasks look at the published folder: unsaved changes would not be in it.
bool MainForm::SaveBeforeDiscTask(const char* title) {
  if (!state_.Modified) return true;
  switch (state_.Env.Ui->AskUser("The disc holds the menu as last saved. Save changes first?", title,
                                 MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageResult::Yes:
      return SaveCommand(state_);
    case MessageResult::No:
      return true;
    default:
      return false;
  }
}

bool MainForm::CheckDiscFirst(const std::string& goOnCaption, const std::function<bool(const std::vector<Finding>&)>& needsLook) {
  // The menu on screen, copied here: the check runs on another thread, and an object's index in
  // a finding must be the index of that object on screen.
  DiscCheckRun run(state_.CDFolder, TakeMenuSnapshot(state_.Project, state_.Modified));
  CheckDiscForm::Choice choice = CheckDiscForm::Choice::GoOn;
  {
    // The dialog's owner is this window; the design surface is not, and takes no edit meanwhile.
    DisabledWindowScope surface(editForm_.hwnd());
    // A small folder is checked before a window could show: nothing flashes by.
    if (run.WaitFor(kQuietCheckMs) && run.Result() && needsLook && !needsLook(*run.Result())) return true;
    CheckDiscForm form;
    form.Owner = hwnd();
    form.Run = &run;
    form.NeedsLook = needsLook;
    form.GoOnCaption = goOnCaption;
    form.SelectObject = [this](int32_t index) {
      if (SelectOnlyObject(state_.Project, index)) editForm_.RefreshSurface();
    };
    choice = form.Execute();
  }
  if (choice == CheckDiscForm::Choice::ObjectSelected) ::SetForegroundWindow(editForm_.hwnd());
  return choice == CheckDiscForm::Choice::GoOn;
}

void MainForm::CheckDiscCommand() {
  if (state_.CDFolder.empty() || !SaveBeforeDiscTask("Check Disc")) return;
  CheckDiscFirst({}, {});
}

// After a load: the menu on screen is what the folder holds, so there is nothing to save first.
void MainForm::ShowCheckDisc() { CheckDiscFirst({}, {}); }

bool MainForm::CheckBeforeTest() {
  return CheckDiscFirst("Test Anyway",
                        [](const std::vector<Finding>& findings) { return CountFindings(findings, Severity::Error) > 0; });
}

void MainForm::MakeIsoImageCommand() {
  if (state_.CDFolder.empty() || !SaveBeforeDiscTask("Make ISO Image")) return;
  const std::string suggested = DefaultImagePath(*state_.Env.Files, state_.CDFolder,
                                                 ImageLabel(state_.Project.DiscLabel, state_.Project.Form.Caption));
  const size_t cut = suggested.find_last_of('\\');
  FileChooserRequest request;
  request.Filter = kIsoFilter;
  request.InitialDir = cut == std::string::npos ? std::string() : suggested.substr(0, cut);
  request.FileName = cut == std::string::npos ? suggested : suggested.substr(cut + 1);
  request.Save = true;
  request.Title = "Save the Disc Image As";
  request.DefaultExtension = "iso";
  const std::optional<std::string> file = state_.Env.Chooser->ChooseFile(request);
  if (!file) return;
  if (const std::string problem = ImagePlaceProblem(WidePath(*file), WidePath(state_.CDFolder)); !problem.empty()) {
    ShowError(state_.Env, problem);
    return;
  }

  if (!CheckDiscFirst("Make Image Anyway", HasErrorsOrWarnings)) return;

  std::unique_ptr<DiscImageWriter> writer = MakeLibarchiveImageWriter(&MoveFileReplacing);
  MakeIsoForm progress;
  progress.Owner = hwnd();
  progress.Writer = writer.get();
  progress.Request.Folder = WidePath(state_.CDFolder);
  progress.Request.Image = WidePath(*file);
  progress.Request.VolumeLabel = ImageLabel(state_.Project.DiscLabel, state_.Project.Form.Caption);
  progress.Execute();
}

}  // namespace corvela::win
