#pragma once
// Files from anywhere: a file chosen outside the CD folder, or named by objects pasted from
// another CD folder, is copied in so that the disc holds it. A file on disc is never overwritten
// without the user's word, and nothing here ever deletes one.

#include <optional>
#include <string>
#include <vector>

#include "project/AppState.h"

namespace corvela {

// name when folder has no file of that name, otherwise "stem (2).ext", "stem (3).ext" and so on,
// the first that folder lacks.
std::string FreeFileName(FileSystem& files, const std::string& folder, const std::string& name);

// Where a copy goes unless the user chooses another place: the folder of the CD folder that the
// last copy went to, while it still exists, otherwise the CD folder itself.
std::string CopyInFolder(AppState& state);

// Asks "Copy <name> into the CD folder?" for a file that lies outside it: Yes copies it into
// CopyInFolder, No opens a Save box there for another place inside the CD folder, Cancel stops.
// A different file of that name is kept: the copy takes a free name on Yes, or nothing happens.
// A file there with the same bytes is used as it is. Returns the stored path of the copy; nothing
// when the user declined or the copy failed (reported).
std::optional<std::string> OfferCopyIntoCdFolder(AppState& state, const std::string& source);

// The stored paths (leading backslash) that objects pasted from sourceFolder name, which lie in
// sourceFolder but not in cdFolder; each once, in first-met order. Empty when both are the same.
std::vector<std::string> FilesLackingAfterPaste(FileSystem& files, const std::vector<const MenuObject*>& objects,
                                                const std::string& sourceFolder, const std::string& cdFolder);
// One question for all of them; Yes copies each to the same stored path in the CD folder (its
// folders made), so the pasted objects find them unchanged. False when declined or a copy failed.
bool OfferCopyOfPastedFiles(AppState& state, const std::string& sourceFolder, const std::vector<std::string>& lacking);

inline constexpr const char* kCopyInTitle = "Copy into the CD folder";

}  // namespace corvela
