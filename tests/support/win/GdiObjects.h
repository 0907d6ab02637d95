#pragma once
// Counting the process's live GDI objects, for leak checks over repeated work.

#include <windows.h>

#include <cstddef>
#include <map>
#include <optional>
#include <string>

namespace corvela::testing {

// The number of live GDI objects, or nothing when this system offers no way to count them.
std::optional<size_t> GdiObjects();

// Whether GdiObjects() sees objects come and go here.
bool GdiObjectsAreCounted();

// The same count for another process (opened with query and read rights), read from its memory.
std::optional<size_t> GdiObjectsOf(HANDLE process);
// The same by kind ("dc", "region", "surface", "bitmap", "font", "brush/pen", ...), where the
// process's own handle table can be read (under Wine); nothing elsewhere.
std::optional<std::map<std::string, size_t>> GdiObjectKindsOf(HANDLE process);
// USER objects of another process: GetGuiResources where it counts them, else its windows.
size_t UserObjectsOf(HANDLE process, DWORD processId);

}  // namespace corvela::testing
