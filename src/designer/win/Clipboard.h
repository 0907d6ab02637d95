#pragma once
// The Windows clipboard for the designer's objects: the private format, registered by name so
// that every designer process agrees on it, beside the captions as plain text.

#include <windows.h>

#include <optional>
#include <string>

namespace corvela::win {

// The private format's number in this session.
UINT ObjectClipboardFormat();
// Empties the clipboard and puts the records (the private format, UTF-8 as the model holds it) and
// the text (UTF-8, put as Unicode text) on it. False when the clipboard could not be opened or took
// nothing.
bool PutObjectsOnClipboard(HWND owner, const std::string& records, const std::string& text);
// The private format's bytes, or nothing when the clipboard holds none.
std::optional<std::string> ObjectsOnClipboard(HWND owner);
bool ClipboardHasObjects();

}  // namespace corvela::win
