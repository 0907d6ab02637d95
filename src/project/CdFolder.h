#pragma once
// The files a published CD folder holds, by the one name each has.

#include <string>

namespace corvela {

inline constexpr const char* kProjectFileName = "AutoRun.mnx";

inline std::string ProjectPath(const std::string& cdFolder) {
  return cdFolder + "\\" + kProjectFileName;
}
// The player, a copy of the designer's exe.
inline std::string PlayerPath(const std::string& cdFolder) {
  return cdFolder + "\\AutoRun.exe";
}
// The disc's icon, which is also the menu window's icon when the project names none.
inline std::string CdIconPath(const std::string& cdFolder) {
  return cdFolder + "\\AutoRun.ico";
}

}  // namespace corvela
