#include "project/DiscFolder.h"

#include <algorithm>

#include "platform/PathNames.h"
#include "platform/Platform.h"
#include "project/DiscCheck.h"

namespace corvela {

namespace {

// Deeper than any disc takes; a folder mounted inside itself gets no further.
constexpr int kWalkDepthLimit = 64;
// Entries between two progress reports: often enough for a progress line, rarely enough to cost
// nothing on a folder of a hundred thousand files.
constexpr uint64_t kEntriesPerReport = 256;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The names between separators, without empty ones and "." (both mean no step at all).
std::vector<std::string> Steps(const std::string& path) {
  std::vector<std::string> steps;
  size_t begin = 0;
  while (begin <= path.size()) {
    size_t end = begin;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::string step = path.substr(begin, end - begin);
    if (!step.empty() && step != ".") steps.push_back(std::move(step));
    begin = end + 1;
  }
  return steps;
}

class Walker {
 public:
  Walker(FileSystem& files, std::vector<Finding>& findings, const DiscCheckProgressFn& progress,
         DiscCheckProgress& counts)
      : files_(files), findings_(findings), progress_(progress), counts_(counts) {}

  // False when the folder cannot be listed; cancelled_ tells a stop apart.
  bool Load(DiscNode& folder, const std::string& path, int depth) {
    std::vector<FolderEntry> entries;
    if (!files_.ListFolder(path, entries)) return false;
    ++counts_.Folders;
    if (!Report(true)) return false;
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.Name < b.Name; });
    folder.Children.reserve(entries.size());
    for (FolderEntry& entry : entries) {
      DiscNode child;
      child.Name = std::move(entry.Name);
      child.Folded = files_.FoldedName(child.Name);
      child.Path = folder.Path + "\\" + child.Name;
      child.IsFolder = entry.IsFolder;
      child.IsLink = entry.IsFolder && entry.IsLink;
      child.Size = entry.Size;
      if (child.IsLink) {
        // Reported here, so that it is not reported again as unused.
        child.Used = true;
        AddFinding(findings_, Severity::Warning, kDiscOwner, child.Path,
                   "Folder link (symbolic link or junction) not followed: what it points to was not checked");
      } else if (child.IsFolder) {
        if (depth >= kWalkDepthLimit || !Load(child, ChildPath(path, child.Name), depth + 1)) {
          if (cancelled_) return false;
          AddFinding(findings_, Severity::Warning, kDiscOwner, child.Path,
                     "This folder cannot be read, so it was not checked");
        }
      } else {
        ++counts_.Files;
        if (!Report(false)) return false;
      }
      folder.Children.push_back(std::move(child));
    }
    return true;
  }

  bool Cancelled() const { return cancelled_; }

 private:
  bool Report(bool always) {
    if (!progress_ || cancelled_) return !cancelled_;
    if (!always && counts_.Files % kEntriesPerReport != 0) return true;
    cancelled_ = !progress_(counts_);
    return !cancelled_;
  }

  FileSystem& files_;
  std::vector<Finding>& findings_;
  const DiscCheckProgressFn& progress_;
  DiscCheckProgress& counts_;
  bool cancelled_ = false;
};

}  // namespace

DiscNode* DiscNode::Find(const std::string& name, const std::string& folded) {
  for (DiscNode& child : Children)
    if (child.Name == name) return &child;
  for (DiscNode& child : Children)
    if (child.Folded == folded) return &child;
  return nullptr;
}

WalkOutcome WalkDiscFolder(FileSystem& files, const std::string& path, DiscNode& root, std::vector<Finding>& findings,
                           const DiscCheckProgressFn& progress, DiscCheckProgress& counts) {
  counts.Now = DiscCheckProgress::Step::Reading;
  Walker walker(files, findings, progress, counts);
  if (walker.Load(root, path, 0)) return WalkOutcome::Read;
  return walker.Cancelled() ? WalkOutcome::Cancelled : WalkOutcome::Unreadable;
}

DiscLookup LookupDiscPath(DiscNode& root, const std::string& below, FileSystem& files) {
  std::vector<DiscNode*> trail{&root};
  const std::vector<std::string> steps = Steps(below);
  for (size_t i = 0; i < steps.size(); ++i) {
    const std::string& step = steps[i];
    if (step == "..") {
      if (trail.size() == 1) return {};
      trail.pop_back();
      continue;
    }
    DiscNode* here = trail.back();
    // Nothing is known behind a link. A ".." right after one comes back out, as Windows takes
    // ".." by the name before it reaches the link.
    if (here->IsLink) return {nullptr, here};
    DiscNode* next = here->IsFolder ? here->Find(step, files.FoldedName(step)) : nullptr;
    if (!next) return {};
    trail.push_back(next);
  }
  return {trail.back(), nullptr};
}

bool ClimbsOutOfDisc(const std::string& below) {
  int depth = 0;
  for (const std::string& step : Steps(below)) {
    depth += step == ".." ? -1 : 1;
    if (depth < 0) return true;
  }
  return false;
}

std::string ChildPath(const std::string& folder, const std::string& name) {
  const char separator = folder.find('\\') == std::string::npos && folder.find('/') != std::string::npos ? '/' : '\\';
  if (!folder.empty() && IsSeparator(folder.back())) return folder + name;
  return folder + separator + name;
}

void MarkUsed(DiscNode& node) {
  node.Used = true;
  for (DiscNode& child : node.Children) MarkUsed(child);
}

bool HasUsed(const DiscNode& node) {
  if (node.Used) return true;
  return std::any_of(node.Children.begin(), node.Children.end(), HasUsed);
}

void MeasureDisc(const DiscNode& folder, uint64_t& bytes, uint64_t& fileCount) {
  constexpr uint64_t kBlock = kDiscBlockSize;
  for (const DiscNode& child : folder.Children) {
    if (child.IsFolder) {
      bytes += kBlock;
      MeasureDisc(child, bytes, fileCount);
    } else {
      bytes += (child.Size + kBlock - 1) / kBlock * kBlock;
      ++fileCount;
    }
  }
}

}  // namespace corvela
