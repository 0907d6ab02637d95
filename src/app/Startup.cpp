#include "app/Startup.h"

#include "platform/Platform.h"

namespace corvela {

bool IsPlayerExeName(const std::string& exeFileName) {
  return UpperAscii(FileNamePart(exeFileName)) == "AUTORUN.EXE";
}

void DecideStartup(AppState& state, const std::string& exeFileName) {
  state.ExeFileName = exeFileName;
  state.ProjectFileName.clear();
  if (IsPlayerExeName(exeFileName)) {
    state.DesignerMode = false;
    state.CDFolder = FolderPart(exeFileName);
    state.ProjectFileName = ProjectPath(state.CDFolder);
    return;
  }
  state.DesignerMode = true;
  state.CDFolder.clear();
  state.AppFolder = FolderPart(exeFileName);
  FileSystem& files = *state.Env.Files;
  const std::string ini = SettingsFileToRead(files, state.AppFolder);
  if (!ini.empty()) {
    std::string text, error;
    if (files.ReadTextFile(ini, text, error))
      state.CDFolder = IniValue(SplitLines(text), "DefaultPath");
    else
      ShowError(state.Env, error);
  }
  const std::string cdrom = state.AppFolder + "\\CDROM";
  if (state.CDFolder.empty() && files.DirectoryExists(cdrom)) state.CDFolder = cdrom;
}

}  // namespace corvela
