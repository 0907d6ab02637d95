#pragma once
// Choosing a folder: the common item dialog in its folder mode (a path box, New Folder, recent
// places), or the older folder browser where that dialog cannot be made.

#include <windows.h>

#include <optional>
#include <string>

namespace corvela::win {

enum class FolderPickerKind { ItemDialog, Browser };

// Shows the chooser, owned by owner, opened on start (when it exists) and titled title. The chosen
// folder, or nothing when the user cancelled. kind, when given, tells which chooser was shown.
std::optional<std::string> PickFolder(HWND owner, const std::string& title, const std::string& start,
                                      FolderPickerKind* kind = nullptr);

}  // namespace corvela::win
