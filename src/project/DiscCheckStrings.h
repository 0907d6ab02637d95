#pragma once
// The disc check's note on text that only the project file's extension block holds: the player
// shows it whole, but a reader of the 8-bit strings alone (an older player, another tool) sees
// the code page's bytes, with '?' for what the code page lacks.

#include <cstdint>
#include <vector>

#include "project/DiscFindings.h"
#include "project/Model.h"

namespace corvela {

class CodePages;

// One note per string of project whose text codePage cannot hold exactly, by the same rule the
// project file's writer uses to put a string in the block.
void NoteUnicodeOnlyStrings(const MenuProject& project, CodePages& codes, uint32_t codePage,
                            std::vector<Finding>& findings);

}  // namespace corvela
