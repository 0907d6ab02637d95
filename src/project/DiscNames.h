#pragma once
// The names a disc's file systems accept: length, characters, names that differ only in letter
// case, and how deep folders nest.

#include <cstddef>
#include <string>
#include <vector>

#include "project/DiscFindings.h"
#include "project/DiscFolder.h"

namespace corvela {

// Joliet counts characters: UTF-8 text (native names) by code point, 8-bit text by byte.
size_t DiscNameLength(const std::string& name);

// A warning for each name below folder a disc would cut, refuse or fold into another.
void CheckDiscNames(const DiscNode& folder, std::vector<Finding>& findings);

}  // namespace corvela
