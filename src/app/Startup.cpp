#include "app/Startup.h"

#include "platform/Platform.h"

namespace corvela {

namespace {
size_t AfterLastSeparator(const std::string& path) {
  size_t pos = path.find_last_of("\\:");
  return pos == std::string::npos ? 0 : pos + 1;
}
}  // namespace

std::string FileNamePart(const std::string& path) { return path.substr(AfterLastSeparator(path)); }

std::string FolderPart(const std::string& path) {
  std::string folder = path.substr(0, AfterLastSeparator(path));
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) { return UpperAscii(a) == UpperAscii(b); }

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
    state.ProjectFileName = state.CDFolder + "\\" + kProjectFileName;
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
