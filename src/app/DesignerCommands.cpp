#include "app/DesignerCommands.h"

#include "app/Startup.h"
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
}  // namespace

std::string MainCaption(const std::string& baseCaption, const std::string& cdFolder) {
  return cdFolder.empty() ? baseCaption : baseCaption + " - " + cdFolder;
}

bool AskAboutUnsavedChanges(AppState& state) {
  if (!state.Modified || state.CDFolder.empty()) return true;
  switch (state.Env.Ui->AskUser("Save Changes to file?", "Exit", MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageResult::Yes:
      return PublishCDFolder(state, state.CDFolder);
    case MessageResult::No:
      return true;
    default:
      return false;
  }
}

void LoadProjectIntoDesigner(AppState& state, DesignerShell& shell, const std::string& path,
                             const std::string& baseCaption) {
  if (state.Env.Files->FileExists(path))
    LoadProject(state, path);
  else
    NewProject(state);
  shell.FitDesignSurface();
  shell.SetMainCaption(MainCaption(baseCaption, state.CDFolder));
  state.Modified = false;
}

bool OpenCommand(AppState& state, DesignerShell& shell, const std::string& baseCaption) {
  if (!AskAboutUnsavedChanges(state)) return false;
  // The browser works on the CD folder itself: a folder that is gone is forgotten.
  if (!state.CDFolder.empty() && !state.Env.Files->DirectoryExists(state.CDFolder)) state.CDFolder.clear();
  std::optional<std::string> chosen = shell.BrowseForFolder(kSelectFolderTitle, state.CDFolder);
  if (!chosen) return false;
  state.CDFolder = WithoutTrailingBackslash(*chosen);
  LoadProjectIntoDesigner(state, shell, ProjectPath(state.CDFolder), baseCaption);
  shell.UpdateCDIconButton();
  return true;
}

bool SaveCommand(AppState& state) {
  if (!PublishCDFolder(state, state.CDFolder)) return false;
  state.Modified = false;
  return true;
}

void SaveAndTestCommand(AppState& state, DesignerShell& shell) {
  SaveCommand(state);
  if (!shell.CheckBeforeTest()) return;
  shell.StartProgram(PlayerPath(state.CDFolder));
}

bool CloseQuery(AppState& state) { return AskAboutUnsavedChanges(state); }

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
  if (state.CDFolder.empty())
    OpenCommand(state, shell, baseCaption);
  else
    LoadProjectIntoDesigner(state, shell, ProjectPath(state.CDFolder), baseCaption);
  if (state.CDFolder.empty()) return false;
  shell.UpdateCDIconButton();
  // A folder chosen in the browser has not been published yet; the menu window's start timer
  // clears this again when the folder was known at start-up.
  state.Modified = true;
  return true;
}

}  // namespace corvela
