#pragma once
// The names a disc's file systems accept: length, characters, names that differ only in letter
// case, and how deep folders nest.

#include <cstddef>
#include <string>
#include <vector>

#include "project/DiscFindings.h"
#include "project/DiscFolder.h"
#include "project/Model.h"

namespace corvela {

// The length Joliet counts: UTF-16 code units, so a character beyond U+FFFF takes two; text
// that is not UTF-8 counts a byte a character, as its 8-bit code page has it.
size_t DiscNameLength(const std::string& name);

// A warning for each name below folder a disc would cut, refuse or fold into another; letter case
// is compared by the nodes' Folded names.
void CheckDiscNames(const DiscNode& folder, std::vector<Finding>& findings);

// The paths inside the CD folder that the menu stores (files it shows, plays or opens, folders it
// starts in) with a name a disc cuts or refuses, each once and in the menu's order: what a save
// must tell before it writes them.
std::vector<std::string> StoredPathsADiscRefuses(const MenuProject& project);

}  // namespace corvela
