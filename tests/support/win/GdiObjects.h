#pragma once
// Counting the process's live GDI objects, for leak checks over repeated work.

#include <cstddef>
#include <optional>

namespace corvela::testing {

// The number of live GDI objects, or nothing when this system offers no way to count them.
std::optional<size_t> GdiObjects();

// Whether GdiObjects() sees objects come and go here.
bool GdiObjectsAreCounted();

}  // namespace corvela::testing
