#include "app/Startup.h"

#include "platform/Platform.h"

namespace corvela {

bool IsPlayerExeName(const std::string& exeFileName) {
  return UpperAscii(FileNamePart(exeFileName)) == "AUTORUN.EXE";
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string IniValue(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& line : lines) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (EqualsIgnoringAsciiCase(line.substr(0, eq), key)) return line.substr(eq + 1);
  }
  return {};
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
  const std::string ini = state.AppFolder + "\\" + kIniFileName;
  if (files.FileExists(ini)) {
    std::string text, error;
    if (files.ReadFile(ini, text, error))
      state.CDFolder = IniValue(SplitLines(text), "DefaultPath");
    else
      ShowError(state.Env, error);
  }
  const std::string cdrom = state.AppFolder + "\\CDROM";
  if (state.CDFolder.empty() && files.DirectoryExists(cdrom)) state.CDFolder = cdrom;
}

}  // namespace corvela
