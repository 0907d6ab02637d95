#pragma once
// Deciding the mode from the exe's own name and fixing the paths of the run.

#include <string>
#include <vector>

#include "project/Model.h"

namespace corvela {

// Everything after the last backslash or colon.
std::string FileNamePart(const std::string& path);
// Everything up to and including the last backslash or colon, with one trailing backslash removed.
std::string FolderPart(const std::string& path);
// Only the letters a to z are folded.
std::string UpperAscii(std::string text);
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b);
// True when the exe is named AutoRun.exe in any letter case: the player.
bool IsPlayerExeName(const std::string& exeFileName);
// Lines of a text file, split at CR LF, LF or CR.
std::vector<std::string> SplitLines(const std::string& text);
// The value of the first line whose name equals key without regard to ASCII case; empty if none.
std::string IniValue(const std::vector<std::string>& lines, const std::string& key);

// Sets ExeFileName, DesignerMode, CDFolder, ProjectFileName and AppFolder for a run of the
// exe at exeFileName. An ini file that exists but cannot be read is reported once and then
// treated as absent.
void DecideStartup(AppState& state, const std::string& exeFileName);

inline constexpr const char* kIniFileName = "Corvela.ini";
inline constexpr const char* kProjectFileName = "AutoRun.mnx";

}  // namespace corvela
