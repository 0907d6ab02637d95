#include "project/Publish.h"

#include "platform/PathNames.h"
#include "platform/Platform.h"
#include "project/ProjectFile.h"

namespace corvela {

namespace {

// An existing copy is kept: a newer designer must not refresh an older player, and an icon the
// user chose must survive every save.
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

}  // namespace

bool PublishCDFolder(AppState& state, const std::string& folder) {
  const std::string designerFolder = FolderPart(state.ExeFileName);
  if (!state.Env.Files->DirectoryExists(folder)) {
    ShowError(state.Env, "Directory \"" + folder + "\" not found");
    return false;
  }
  if (!CopyUnlessPresent(state, state.ExeFileName, PlayerPath(folder))) return false;
  if (!CopyUnlessPresent(state, designerFolder + "\\Default.ico", CdIconPath(folder))) return false;
  if (!WriteTextFile(state, folder + "\\" + kAutorunInfFileName, kAutorunInf)) return false;
  if (!SaveProjectFile(state, ProjectPath(folder))) return false;
  if (!WriteTextFile(state, designerFolder + "\\" + kIniFileName, "DefaultPath=" + folder + "\r\n")) return false;
  state.Modified = false;
  return true;
}

}  // namespace corvela
