#pragma once
// Where the designer keeps its settings file: beside the exe for a portable install (the file is
// there and may be written), otherwise in the user's own settings folder, so that an install
// the user may not write to (Program Files) still saves.

#include <string>

#include "platform/Platform.h"

namespace corvela {

inline constexpr const char* kIniFileName = "Corvela.ini";
// Under the user's settings folder (%APPDATA%).
inline constexpr const char* kUserSettingsFolderName = "Corvela";

// The file to read at start-up, or empty when there is none: the one beside the exe when it may
// be written, else the user's, else a read-only one beside the exe.
std::string SettingsFileToRead(FileSystem& files, const std::string& appFolder);

// Replaces the settings file with text, written as UTF-8 behind its byte-order mark (read back with
// FileSystem::ReadTextFile): beside the exe when that file may be written, otherwise the user's
// (its folder made when missing). False when neither could be written.
bool WriteSettingsFile(FileSystem& files, const std::string& appFolder, const std::string& text);

}  // namespace corvela
