#include "app/DesignerCommands.h"

#include "app/Startup.h"
#include "designer/History.h"
#include "designer/StartPagePublish.h"
#include "platform/Platform.h"
#include "project/DiscNames.h"
#include "project/FolderCopy.h"
#include "project/ProjectFile.h"
#include "project/ProjectRescue.h"
#include "project/Publish.h"
#include "project/StoredPath.h"

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

// A name a disc cuts or refuses cannot be kept on it whatever the save does: the user hears of it
// before anything is written, and No leaves the folder as it was.
bool MayKeepNamesOnDisc(AppState& state) {
  const std::vector<std::string> refused = StoredPathsADiscRefuses(state.Project);
  if (refused.empty()) return true;
  std::string text = std::string(kRefusedNamesText) + "\n";
  for (const std::string& path : refused) text += "\n" + path;
  text += std::string("\n\n") + kRefusedNamesQuestion;
  UserInterface& ui = *state.Env.Ui;
  return ui.AskUser(text, ui.ApplicationTitle(), MessageIcon::Warning, MessageButtons::YesNo) == MessageResult::Yes;
}

bool MaySave(AppState& state) { return MayReplaceProjectFile(state) && MayKeepNamesOnDisc(state); }

// Missing files go to one list while a load runs, never to a box each.
class CollectingMissing {
 public:
  CollectingMissing(AppState& state, std::vector<MissingFile>& list) : state_(state) { state_.CollectMissing = &list; }
  ~CollectingMissing() { state_.CollectMissing = nullptr; }
  CollectingMissing(const CollectingMissing&) = delete;
  CollectingMissing& operator=(const CollectingMissing&) = delete;

 private:
  AppState& state_;
};

bool Publish(AppState& state) {
  if (!PublishCDFolder(state, state.CDFolder)) return false;
  state.ProjectUnreadable = false;
  state.ProjectRescued = false;
  // The project is saved; a page that cannot be written is reported and keeps nothing unsaved.
  PublishStartPage(state);
  state.Modified = false;
  return true;
}

// The model becomes the folder's project, a new one, or what a damaged file held up to its damage.
void ReadIntoModel(AppState& state, const std::string& path) {
  state.ProjectUnreadable = false;
  state.ProjectRescued = false;
  // What a damaged file does not say is a new project's, never the previous folder's.
  NewProject(state);
  if (!state.Env.Files->FileExists(path)) return;
  switch (LoadProjectOrRescue(state, path)) {
    case DesignLoad::Loaded:
      return;
    case DesignLoad::Rescued:
      state.ProjectUnreadable = true;
      state.ProjectRescued = true;
      return;
    case DesignLoad::Unreadable:
      // Neither the previous folder's menu nor part of this one may pass for this folder's file.
      NewProject(state);
      state.ProjectUnreadable = true;
      return;
  }
}

}  // namespace

std::string MainCaption(const std::string& baseCaption, const std::string& cdFolder, bool modified) {
  return cdFolder.empty() ? baseCaption : baseCaption + " - " + cdFolder + (modified ? "*" : "");
}

std::string MissingFilesMessage(const std::vector<MissingFile>& missing) {
  std::string text = missing.size() == 1 ? std::string("A file the menu names is missing:\n")
                                         : std::to_string(missing.size()) + " files the menu names are missing:\n";
  for (size_t i = 0; i < missing.size() && i < kMissingListLength; ++i)
    text += "\n" + missing[i].Path + "   (" + missing[i].Object + ")";
  if (missing.size() > kMissingListLength)
    text += "\n... and " + std::to_string(missing.size() - kMissingListLength) + " more";
  return text + "\n\nCheck Disc lists them with every other problem of the disc. Open Check Disc now?";
}

bool AskAboutUnsavedChanges(AppState& state) {
  if (!state.Modified || state.CDFolder.empty()) return true;
  switch (state.Env.Ui->AskUser("Save Changes to file?", "Exit", MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageResult::Yes:
      return MaySave(state) && Publish(state);
    case MessageResult::No:
      return true;
    default:
      return false;
  }
}

void LoadProjectIntoDesigner(AppState& state, DesignerShell& shell, const std::string& path,
                             const std::string& baseCaption) {
  std::vector<MissingFile> missing;
  {
    CollectingMissing collecting(state, missing);
    ReadIntoModel(state, path);
  }
  shell.FitDesignSurface();
  state.Modified = state.ProjectRescued;
  shell.SetMainCaption(MainCaption(baseCaption, state.CDFolder, state.Modified));
  if (!missing.empty() && state.Env.Ui->AskUser(MissingFilesMessage(missing), "Missing files", MessageIcon::Warning,
                                                 MessageButtons::YesNo) == MessageResult::Yes)
    shell.ShowCheckDisc();
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

bool SaveCommand(AppState& state) { return MaySave(state) && Publish(state); }

bool SaveAsCommand(AppState& state, DesignerShell& shell, const std::string& baseCaption) {
  if (state.CDFolder.empty()) return false;
  std::optional<std::string> chosen = shell.BrowseForFolder(kSaveAsFolderTitle, state.CDFolder);
  if (!chosen) return false;
  const std::string target = WithoutTrailingBackslash(*chosen);
  if (SameFolder(target, state.CDFolder)) return SaveCommand(state);
  if (!MayKeepNamesOnDisc(state)) return false;
  if (const std::string problem = SaveAsPlaceProblem(state.CDFolder, target); !problem.empty()) {
    ShowError(state.Env, problem);
    return false;
  }
  if (!state.Env.Files->CanCreateFileIn(target)) {
    ShowError(state.Env, "The folder \"" + target + "\" cannot be written: it may be read-only or on a disc. "
                         "Choose another folder.");
    return false;
  }
  UserInterface& ui = *state.Env.Ui;
  // Another menu's project is work of its own: replaced only on the user's word.
  if (state.Env.Files->FileExists(ProjectPath(target)) &&
      ui.AskUser("\"" + target + "\" holds a menu of its own (" + kProjectFileName +
                     ").\n\nReplace it with the menu on screen?",
                 kSaveAsTitle, MessageIcon::Warning, MessageButtons::YesNoDefaultNo) != MessageResult::Yes)
    return false;
  // A CD folder that is gone (a stick pulled out) still lets the menu on screen go elsewhere.
  if (!state.Env.Files->DirectoryExists(state.CDFolder))
    ShowMessage(state.Env, "The CD folder \"" + state.CDFolder + "\" is not there: only the menu is saved in \"" +
                               target + "\". Check Disc lists the files it names that are missing.");
  else if (CopyCdFolderFiles(state.Env, state.CDFolder, target) != CopyOutcome::Copied)
    return false;
  // Published before the switch: a folder that cannot take it leaves the designer where it was.
  if (!PublishCDFolder(state, target)) return false;
  state.CDFolder = target;
  state.ProjectUnreadable = false;
  state.ProjectRescued = false;
  PublishStartPage(state);
  shell.SetMainCaption(MainCaption(baseCaption, state.CDFolder));
  shell.UpdateCDIconButton();
  return true;
}

void SaveAndTestCommand(AppState& state, DesignerShell& shell) {
  if (!MaySave(state)) return;
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
  FileSystem& files = *state.Env.Files;
  if (files.FoldedName(*chosen) == files.FoldedName(CdIconPath(state.CDFolder))) return;
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
