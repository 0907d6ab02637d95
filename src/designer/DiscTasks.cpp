#include "designer/DiscTasks.h"

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

std::string DefaultImagePath(const std::string& cdFolder, const std::string& caption) {
  std::string folder = cdFolder;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  const size_t cut = folder.find_last_of("\\/");
  // "C:\CD" goes to "C:\"; "C:" (a root) keeps the image on the drive itself.
  if (cut != std::string::npos) folder.erase(cut);
  return folder + "\\" + VolumeLabelFrom(caption) + ".iso";
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
