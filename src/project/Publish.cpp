#include "project/Publish.h"

#include "platform/PathNames.h"
#include "platform/Platform.h"
#include "project/DiscLabel.h"
#include "project/ProjectFile.h"

namespace corvela {

namespace {

// An icon the user chose must survive every save.
bool CopyUnlessPresent(AppState& state, const std::string& from, const std::string& to) {
  FileSystem& files = *state.Env.Files;
  if (files.FileExists(to) || files.CopyOneFile(from, to)) return true;
  ShowError(state.Env, "IO Error");
  return false;
}

bool WriteTextFile(AppState& state, const std::string& path, const std::string& text) {
  std::string error;
  if (state.Env.Files->SaveFileSafely(path, text, error)) return true;
  ShowError(state.Env, error);
  return false;
}

// The player on the disc is always this designer's: a folder filled from another disc, or
// published by an older designer, gets it too. Equal bytes are left alone, so a player started
// from the folder by Save and Test does not stand in the way.
bool PublishPlayer(AppState& state, const std::string& folder) {
  FileSystem& files = *state.Env.Files;
  std::string exe, present, error;
  if (!files.ReadFile(state.ExeFileName, exe, error)) {
    ShowError(state.Env, error);
    return false;
  }
  const std::string player = PlayerPath(folder);
  if (files.FileExists(player) && files.ReadFile(player, present, error) && present == exe) return true;
  return WriteTextFile(state, player, exe);
}

// A save killed half-way leaves its temporary file, which would be burnt with the rest.
void RemoveSaveLeftovers(FileSystem& files, const std::string& folder) {
  for (const char* name : kSafelySavedFiles)
    for (const char* suffix : {kSafeSaveSuffix, kOldSaveSuffix}) {
      const std::string leftover = folder + "\\" + name + suffix;
      if (files.FileExists(leftover)) files.RemoveFile(leftover);
    }
}

}  // namespace

std::string ReadOnlyFolderMessage(const std::string& folder) {
  return "The folder \"" + folder + "\" cannot be written: it may be read-only or on a disc.\n\n"
         "File > Save As... copies the CD folder with the menu into a folder you choose and goes on there.";
}

bool PublishCDFolder(AppState& state, const std::string& folder) {
  const std::string designerFolder = FolderPart(state.ExeFileName);
  if (!state.Env.Files->DirectoryExists(folder)) {
    ShowError(state.Env, "Directory \"" + folder + "\" not found");
    return false;
  }
  // A folder on a disc or shared read-only is no dead end: its files can go elsewhere.
  if (!state.Env.Files->CanCreateFileIn(folder)) {
    ShowError(state.Env, ReadOnlyFolderMessage(folder));
    return false;
  }
  RemoveSaveLeftovers(*state.Env.Files, folder);
  if (!PublishPlayer(state, folder)) return false;
  if (!CopyUnlessPresent(state, designerFolder + "\\Default.ico", CdIconPath(folder))) return false;
  const std::string inf = AutorunInfText(state.Project.DiscLabel, state.Env.Codes);
  if (!WriteTextFile(state, folder + "\\" + kAutorunInfFileName, inf)) return false;
  if (!SaveProjectFile(state, ProjectPath(folder))) return false;
  // Only the next start's default folder depends on it: the disc folder is published.
  WriteSettingsFile(*state.Env.Files, designerFolder, "DefaultPath=" + folder + "\r\n");
  RememberSavedContent(state);
  state.Modified = false;
  return true;
}

}  // namespace corvela
