#include "designer/DiscTasks.h"

#include <algorithm>

#include "project/DiscImage.h"

namespace corvela {

bool HasErrorsOrWarnings(const std::vector<Finding>& findings) {
  return CountFindings(findings, Severity::Error) + CountFindings(findings, Severity::Warning) > 0;
}

std::string DiscCheckProgressText(const DiscCheckProgress& progress) {
  const std::string files = CountText(progress.Files) + (progress.Files == 1 ? " file" : " files");
  const std::string folders = CountText(progress.Folders) + (progress.Folders == 1 ? " folder" : " folders");
  if (progress.Now == DiscCheckProgress::Step::Checking) return "Checking " + files + " against the menu ...";
  return "Reading the CD folder: " + files + " in " + folders + " ...";
}

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A drive ("C:") or a share ("\\server\share"): no folder of the user's own.
bool IsRoot(const std::string& folder) {
  if (folder.size() <= 2) return true;
  if (!IsSeparator(folder[0]) || !IsSeparator(folder[1])) return false;
  return std::count_if(folder.begin() + 2, folder.end(), IsSeparator) <= 1;
}

}  // namespace

std::string DefaultImagePath(FileSystem& files, const std::string& cdFolder, const std::string& caption) {
  const std::string name = VolumeLabelFrom(caption) + ".iso";
  std::string folder = cdFolder;
  while (!folder.empty() && IsSeparator(folder.back())) folder.pop_back();
  const size_t cut = folder.find_last_of("\\/");
  const std::string parent = cut == std::string::npos ? std::string() : folder.substr(0, cut);
  if (cut != std::string::npos && !IsRoot(folder) && !IsRoot(parent) && files.CanCreateFileIn(parent))
    return parent + "\\" + name;
  const std::string documents = files.DocumentsFolder();
  return documents.empty() ? name : documents + "\\" + name;
}

int ProgressPosition(uint64_t done, uint64_t total) {
  if (total == 0) return 0;
  if (done >= total) return kProgressSteps;
  return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * kProgressSteps);
}

std::string ImageDoneText(uint64_t imageBytes) {
  const Medium* medium = SmallestMediumFor(imageBytes);
  return "The image is " + ByteCountText(imageBytes) + " and " +
         (medium ? std::string("fits a ") + medium->Name + "." : std::string("fits no disc."));
}

}  // namespace corvela
