#include "app/DesignerCommands.h"

#include "app/Startup.h"
#include "designer/History.h"
#include "designer/StartPagePublish.h"
#include "project/StoredPath.h"
#include "platform/Platform.h"
#include "project/ProjectFile.h"
#include "project/Publish.h"

namespace corvela {

namespace {

std::string WithoutTrailingBackslash(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// A project file that could not be read may hold work the user wants back: it is replaced only
// when the user says so.
bool MayReplaceProjectFile(AppState& state) {
  if (!state.ProjectUnreadable) return true;
  UserInterface& ui = *state.Env.Ui;
  return ui.AskUser(kReplaceUnreadableQuestion, ui.ApplicationTitle(), MessageIcon::Warning,
                    MessageButtons::YesNoDefaultNo) == MessageResult::Yes;
}

bool Publish(AppState& state) {
  if (!PublishCDFolder(state, state.CDFolder)) return false;
  state.ProjectUnreadable = false;
  // The project is saved; a page that cannot be written is reported and keeps nothing unsaved.
  PublishStartPage(state);
  state.Modified = false;
  return true;
}

}  // namespace

std::string MainCaption(const std::string& baseCaption, const std::string& cdFolder) {
  return cdFolder.empty() ? baseCaption : baseCaption + " - " + cdFolder;
}

bool AskAboutUnsavedChanges(AppState& state) {
  if (!state.Modified || state.CDFolder.empty()) return true;
  switch (state.Env.Ui->AskUser("Save Changes to file?", "Exit", MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageResult::Yes:
      return MayReplaceProjectFile(state) && Publish(state);
    case MessageResult::No:
      return true;
    default:
      return false;
  }
}

void LoadProjectIntoDesigner(AppState& state, DesignerShell& shell, const std::string& path,
                             const std::string& baseCaption) {
  state.ProjectUnreadable = false;
  if (!state.Env.Files->FileExists(path)) {
    NewProject(state);
  } else if (!LoadProject(state, path)) {
    // Neither the previous folder's menu nor part of this one may pass for this folder's file.
    NewProject(state);
    state.ProjectUnreadable = true;
  }
  shell.FitDesignSurface();
  shell.SetMainCaption(MainCaption(baseCaption, state.CDFolder));
  state.Modified = false;
  // Taken after the surface was fitted: that is the menu the user sees as unchanged.
  if (state.ProjectUnreadable || !state.Env.Files->FileExists(path))
    state.SavedContent.reset();
  else
    RememberSavedContent(state);
}

bool OpenCommand(AppState& state, DesignerShell& shell, const std::string& baseCaption) {
  if (!AskAboutUnsavedChanges(state)) return false;
  // A folder that is gone (a stick pulled out) only moves the browser's start: cancelling must
  // leave the open project and its unsaved changes as they were.
  const bool present = !state.CDFolder.empty() && state.Env.Files->DirectoryExists(state.CDFolder);
  std::optional<std::string> chosen = shell.BrowseForFolder(kSelectFolderTitle, present ? state.CDFolder : "");
  if (!chosen) return false;
  state.CDFolder = WithoutTrailingBackslash(*chosen);
  LoadProjectIntoDesigner(state, shell, ProjectPath(state.CDFolder), baseCaption);
  shell.UpdateCDIconButton();
  return true;
}

bool SaveCommand(AppState& state) { return MayReplaceProjectFile(state) && Publish(state); }

void SaveAndTestCommand(AppState& state, DesignerShell& shell) {
  if (!MayReplaceProjectFile(state)) return;
  Publish(state);
  if (!shell.CheckBeforeTest()) return;
  shell.StartProgram(PlayerPath(state.CDFolder), state.CDFolder);
}

bool CloseQuery(AppState& state) { return AskAboutUnsavedChanges(state); }

void StartPageCommand(AppState& state, History& history) {
  std::optional<ProjectSnapshot> before = SnapshotProject(state);
  state.Project.PublishStartPage = !state.Project.PublishStartPage;
  state.Modified = true;
  std::optional<ProjectSnapshot> after = SnapshotProject(state);
  if (before && after) history.RecordProject(EditKind::StartPage, std::move(*before), std::move(*after));
}

void SelectCDIconCommand(AppState& state, DesignerShell& shell) {
  FileChooserRequest request;
  request.Filter = kIconFilter;
  request.FileName = CdIconPath(state.CDFolder);
  std::optional<std::string> chosen = state.Env.Chooser->ChooseFile(request);
  if (!chosen) return;
  // The CD folder's own icon chosen again: nothing to copy.
  if (UpperAscii(*chosen) == UpperAscii(CdIconPath(state.CDFolder))) return;
  if (state.Env.Files->CopyOneFile(*chosen, CdIconPath(state.CDFolder)))
    shell.UpdateCDIconButton();
  else
    ShowError(state.Env, "IO Error");
}

bool FirstShow(AppState& state, DesignerShell& shell, const std::string& baseCaption) {
  shell.SetMainCaption(MainCaption(baseCaption, state.CDFolder));
  const bool known = !state.CDFolder.empty();
  if (known)
    LoadProjectIntoDesigner(state, shell, ProjectPath(state.CDFolder), baseCaption);
  else
    OpenCommand(state, shell, baseCaption);
  if (state.CDFolder.empty()) return false;
  shell.UpdateCDIconButton();
  // A folder chosen in the browser has not been published yet; the menu window's start timer
  // clears this again when the folder was known at start-up.
  state.Modified = true;
  if (!known) state.SavedContent.reset();
  return true;
}

}  // namespace corvela
