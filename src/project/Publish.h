#pragma once
// Making the CD folder ready to burn: the player, the disc icon, autorun.inf and the project.

#include <string>

#include "project/AppState.h"
#include "project/CdFolder.h"

namespace corvela {

// Beside the designer: the last CD folder it published.
inline constexpr const char* kIniFileName = "Corvela.ini";
inline constexpr const char* kAutorunInf = "[autorun]\r\nOPEN=AUTORUN.EXE\r\nICON=AUTORUN.ICO\r\n";

// Copies the running exe as AutoRun.exe and Default.ico as AutoRun.ico unless they are there
// already, writes autorun.inf and AutoRun.mnx, records the folder in Corvela.ini beside the
// designer and clears Modified. The first failure is reported and ends it; nothing is rolled back.
bool PublishCDFolder(AppState& state, const std::string& folder);

}  // namespace corvela
