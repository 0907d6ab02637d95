#pragma once
// The disc check's view of the CD folder: read once into a tree, then looked up the way Windows
// and a disc look names up. Folder links (symbolic links, junctions) are noted and not followed,
// so a link out of the folder or back into a parent costs nothing.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "project/DiscFindings.h"

namespace corvela {

class FileSystem;

struct DiscNode {
  std::string Name;
  std::string Folded;  // the name as Windows compares it (FileSystem::FoldedName)
  std::string Path;  // inside the CD folder, a backslash in front; empty for the CD folder
  bool IsFolder = false;
  bool IsLink = false;  // a folder link: not followed, so it has no children
  uint64_t Size = 0;
  bool Used = false;  // named by the project or published; or already reported otherwise
  std::vector<DiscNode> Children;

  // The exact name first, then any letter case, as Windows and a disc find it; folded is the
  // name's FileSystem::FoldedName.
  DiscNode* Find(const std::string& name, const std::string& folded);
};

// How far the check has come; reported as the folder is read and once more before the rest.
struct DiscCheckProgress {
  enum class Step { Reading, Checking };
  Step Now = Step::Reading;
  uint64_t Files = 0;
  uint64_t Folders = 0;
};
// Returns false to stop the check.
using DiscCheckProgressFn = std::function<bool(const DiscCheckProgress&)>;

enum class WalkOutcome { Read, Unreadable, Cancelled };

// Reads the folder at path into root's children, sorted by name. A folder link becomes a
// childless node with a warning; a folder that cannot be listed, a warning. Unreadable only when
// path itself cannot be listed.
WalkOutcome WalkDiscFolder(FileSystem& files, const std::string& path, DiscNode& root, std::vector<Finding>& findings,
                           const DiscCheckProgressFn& progress, DiscCheckProgress& counts);

// What a path below the CD folder names: the node, or the folder link it runs into before its
// end (the check cannot see behind a link). Both null when it names nothing or climbs out.
// Letter case is folded by files, as Windows folds it.
struct DiscLookup {
  DiscNode* Node = nullptr;
  DiscNode* Link = nullptr;
};
DiscLookup LookupDiscPath(DiscNode& root, const std::string& below, FileSystem& files);

// True when the ".." steps of a path below the CD folder climb above it.
bool ClimbsOutOfDisc(const std::string& below);

// The folder's path with name joined by the separator the folder itself uses, so the same code
// walks Z:\cd under Windows and /tmp/cd natively.
std::string ChildPath(const std::string& folder, const std::string& name);

void MarkUsed(DiscNode& node);
bool HasUsed(const DiscNode& node);

// The bytes the folder takes on a disc (each file whole blocks, each folder at least one) and its
// number of files.
void MeasureDisc(const DiscNode& folder, uint64_t& bytes, uint64_t& fileCount);

}  // namespace corvela
