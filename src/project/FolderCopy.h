#pragma once
// Save As: the CD folder's files copied into another folder, which becomes the CD folder.
// Stored paths are relative to the CD folder, so the copy's menu finds its files unchanged.

#include <string>

#include "platform/Platform.h"

namespace corvela {

// Why target cannot take the CD folder's copy: it lies inside the CD folder (the copy would
// copy itself) or holds it (the copy would land on its own source). Empty when it can; the same
// folder is no problem (Save As there is a plain save).
std::string SaveAsPlaceProblem(const std::string& cdFolder, const std::string& target);
// The two name the same folder (letter case and one trailing backslash ignored).
bool SameFolder(const std::string& a, const std::string& b);

enum class CopyOutcome { Copied, Cancelled, Failed };

// Copies every file and folder below from into to, except the files a save writes afresh (the
// project, the player, autorun.inf and what interrupted saves left). A file of to that holds
// other bytes is replaced only when the user says Yes (No keeps it; Cancel stops the copy where it
// is). Links are not followed: the disc holds the folder itself. Failures are reported.
CopyOutcome CopyCdFolderFiles(Platform& env, const std::string& from, const std::string& to);

inline constexpr const char* kSaveAsTitle = "Save As";

}  // namespace corvela
