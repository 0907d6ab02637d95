#pragma once
// Making the CD folder ready to burn: the player, the disc icon, autorun.inf and the project.

#include <string>

#include "project/AppState.h"
#include "project/CdFolder.h"
#include "project/DesignerSettings.h"

namespace corvela {

inline constexpr const char* kAutorunInf = "[autorun]\r\nOPEN=AUTORUN.EXE\r\nICON=AUTORUN.ICO\r\n";

// Removes what interrupted saves left in the folder, makes AutoRun.exe the running exe's bytes,
// copies Default.ico as AutoRun.ico unless there is one, writes autorun.inf and AutoRun.mnx,
// records the folder in the designer's settings and clears Modified. The first failure is
// reported and ends it; nothing is rolled back. Settings that cannot be written fail nothing.
// A folder that takes no new file is reported with ReadOnlyFolderMessage before anything is written.
bool PublishCDFolder(AppState& state, const std::string& folder);
std::string ReadOnlyFolderMessage(const std::string& folder);

}  // namespace corvela
