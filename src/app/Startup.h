#pragma once
// Deciding the mode from the exe's own name and fixing the paths of the run.

#include <string>
#include <vector>

#include "platform/PathNames.h"
#include "platform/TextLines.h"
#include "project/AppState.h"
#include "project/CdFolder.h"
#include "project/Publish.h"

namespace corvela {

// True when the exe is named AutoRun.exe in any letter case: the player.
bool IsPlayerExeName(const std::string& exeFileName);

// Sets ExeFileName, DesignerMode, CDFolder, ProjectFileName and AppFolder for a run of the
// exe at exeFileName. An ini file that exists but cannot be read is reported once and then
// treated as absent.
void DecideStartup(AppState& state, const std::string& exeFileName);

}  // namespace corvela
