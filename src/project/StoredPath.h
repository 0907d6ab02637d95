#pragma once
// File references inside the CD folder: a backslash followed by the path below the folder,
// so that a burnt disc works under any drive letter.

#include <string>

#include "project/AppState.h"

namespace corvela {

// Removes leading and trailing characters with codes up to 32.
std::string TrimBlanks(const std::string& text);
// The stored path of chosen inside cdFolder, or empty when it lies outside (letter case ignored,
// as the file system ignores it; the stored path keeps the case of chosen).
std::string MakeStoredPath(const std::string& cdFolder, const std::string& chosen);
// Trimmed, with a backslash in front unless empty or already there.
std::string NormalizeStoredPath(const std::string& text);
// cdFolder + value when value begins with a backslash, else value unchanged.
std::string ResolveStoredPath(const std::string& cdFolder, const std::string& value);

// How a refusal is shown: plain (application title, no icon) or information (caption
// "Information", information icon).
enum class RefusalStyle { Plain, Information };
std::string RefusalMessage(const std::string& cdFolder, RefusalStyle style);

// Chooser filters.
inline constexpr const char* kIconFilter = "Icons (*.ico)|*.ico";
inline constexpr const char* kBitmapFilter =
    "Glyphs (*.bmp;*.png)|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp|PNG Images (*.png)|*.png";
inline constexpr const char* kAviFilter = "AVI files (*.avi)|*.avi";
inline constexpr const char* kRtfFilter = "RTF files (*.rtf)|*.rtf";
inline constexpr const char* kHtmlFilter = "HTML files (*.html,*.htm)|*.html;*.htm";
inline constexpr const char* kAllFilesFilter = "All Files(*.*)|*.*";

enum class SelectResult { Cancelled, Refused, Unchanged, Changed };

// Behind every "Select..." and Browse button: opens the chooser on the field's file (or the
// CD folder), and puts the stored path of the chosen file into field when it lies inside the
// CD folder. An existing file outside it is offered a copy in it (OfferCopyIntoCdFolder), whose
// stored path field then takes; anything else shows the refusal and leaves field alone.
SelectResult SelectFileInCdFolder(AppState& state, std::string& field, const std::string& filter,
                                  RefusalStyle style, bool mustExist = true);

}  // namespace corvela
