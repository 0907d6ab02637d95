#pragma once
// The files a published CD folder holds, by the one name each has.

#include <string>

namespace corvela {

inline constexpr const char* kProjectFileName = "AutoRun.mnx";
inline constexpr const char* kPlayerFileName = "AutoRun.exe";
inline constexpr const char* kCdIconFileName = "AutoRun.ico";
inline constexpr const char* kAutorunInfFileName = "autorun.inf";
// The start page for computers that never start the player, and the folder of its pictures.
inline constexpr const char* kStartPageFileName = "Start.html";
inline constexpr const char* kStartFilesFolder = "Start.files";
// The published files written through a safe save, whose temporary files an interrupted save
// leaves behind.
inline constexpr const char* kSafelySavedFiles[] = {kProjectFileName, kAutorunInfFileName, kPlayerFileName};

inline std::string ProjectPath(const std::string& cdFolder) {
  return cdFolder + "\\" + kProjectFileName;
}
// The player, a copy of the designer's exe.
inline std::string PlayerPath(const std::string& cdFolder) {
  return cdFolder + "\\" + kPlayerFileName;
}
// The disc's icon, which is also the menu window's icon when the project names none.
inline std::string CdIconPath(const std::string& cdFolder) {
  return cdFolder + "\\" + kCdIconFileName;
}

}  // namespace corvela
