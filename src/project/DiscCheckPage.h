#pragma once
// The start page's part of the disc check: the page and the pictures it shows are there and
// count as used, and what the page cannot carry over from the menu is noted.

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "project/DiscCheckProject.h"

namespace corvela {

// With the option on: an error for a missing page, one for each picture the page names that the
// folder lacks, and notes for objects the page leaves out (Exit) and programs that lose their
// parameters or start folder. With it off, a page left in the folder is noted.
void CheckStartPage(const MenuSnapshot& menu, FileSystem& files, const std::string& cdFolder, DiscNode& root,
                    std::vector<Finding>& findings);

}  // namespace corvela
