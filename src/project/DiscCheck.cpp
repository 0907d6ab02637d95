#include "project/DiscCheck.h"

#include <cstdio>

#include "platform/PathNames.h"
#include "platform/Platform.h"
#include "platform/StdPlatform.h"
#include "platform/TextLines.h"
#include "project/AppState.h"
#include "project/CdFolder.h"
#include "project/DiscCheckPage.h"
#include "project/DiscCheckAccess.h"
#include "project/DiscCheckStrings.h"
#include "project/DiscLabel.h"
#include "project/DiscNames.h"
#include "project/ExeSignature.h"
#include "project/ProjectFile.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

constexpr const char* kPlayerExe = kPlayerFileName;
constexpr const char* kDiscIcon = kCdIconFileName;
constexpr const char* kInfName = kAutorunInfFileName;
// What SaveFileSafely leaves beside a file when a save is cut short, now and in earlier versions.
constexpr const char* kSaveLeftovers[] = {kSafeSaveSuffix, kOldSaveSuffix};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string MegaBytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return text;
}

// The file an OPEN or ICON value of autorun.inf names: quotes, arguments or the icon index and a
// leading ".\" or "\" removed.
std::string InfFileName(std::string value, bool isIcon) {
  if (!value.empty() && value.front() == '"') {
    const size_t close = value.find('"', 1);
    value = value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  } else {
    const size_t cut = value.find(isIcon ? ',' : ' ');
    if (cut != std::string::npos) value.resize(cut);
  }
  value = TrimBlanks(value);
  if (value.rfind(".\\", 0) == 0) value.erase(0, 2);
  while (!value.empty() && IsSeparator(value.front())) value.erase(0, 1);
  return value;
}

class DiscChecker {
 public:
  DiscChecker(FileSystem& files, const DiscCheckRequest& request, std::string folder)
      : files_(files), request_(request), folder_(std::move(folder)) {}

  std::optional<std::vector<Finding>> Run() {
    const WalkOutcome walk = files_.DirectoryExists(folder_)
                                 ? WalkDiscFolder(files_, folder_, root_, findings_, request_.Progress, counts_)
                                 : WalkOutcome::Unreadable;
    if (walk == WalkOutcome::Cancelled) return std::nullopt;
    if (walk == WalkOutcome::Unreadable) {
      findings_.clear();
      AddDisc(Severity::Error, "", "The CD folder does not exist or cannot be read");
      return std::move(findings_);
    }
    counts_.Now = DiscCheckProgress::Step::Checking;
    if (request_.Progress && !request_.Progress(counts_)) return std::nullopt;
    CheckPublishedFiles();
    CheckDiscNames(root_, findings_);
    const bool checkedMenu = CheckProject();
    CheckSize();
    if (checkedMenu) NoteUnused(root_);
    SortFindings(findings_);
    return std::move(findings_);
  }

 private:
  void AddDisc(Severity level, const std::string& path, const std::string& message) {
    AddFinding(findings_, level, kDiscOwner, path, message);
  }
  void AddMenu(Severity level, const std::string& path, const std::string& message) {
    AddFinding(findings_, level, kMenuOwner, path, message);
  }

  DiscNode* RootFile(const std::string& name) {
    DiscNode* node = root_.Find(name, files_.FoldedName(name));
    return node && !node->IsFolder ? node : nullptr;
  }

  // --- published files ---

  void CheckPublishedFiles() {
    if (DiscNode* exe = RootFile(kPlayerExe)) {
      exe->Used = true;
      CheckPlayerSignature(*exe);
    } else
      AddDisc(Severity::Error, std::string("\\") + kPlayerExe,
              "AutoRun.exe is missing: the disc has no player to show the menu. Save the menu to publish it");
    if (DiscNode* icon = RootFile(kDiscIcon)) icon->Used = true;
    CheckInf();
    for (DiscNode& child : root_.Children) {
      if (child.IsFolder) continue;
      for (const char* published : kSafelySavedFiles)
        for (const char* suffix : kSaveLeftovers)
          if (EqualsIgnoringAsciiCase(child.Name, std::string(published) + suffix)) {
            child.Used = true;
            AddDisc(Severity::Warning, child.Path, "Left over from an interrupted save; delete it before burning");
          }
    }
  }

  void CheckPlayerSignature(const DiscNode& exe) {
    std::string bytes, error;
    if (!files_.ReadFile(ChildPath(folder_, exe.Name), bytes, error) || SignatureOf(bytes) != ExeSignature::Unsigned)
      return;
    AddDisc(Severity::Note, exe.Path,
            "AutoRun.exe carries no signature: Windows 11 may refuse to start it (Smart App Control), and other "
            "versions of Windows name no publisher when they ask before running it");
  }

  void CheckInf() {
    DiscNode* inf = RootFile(kInfName);
    const std::string infPath = std::string("\\") + kInfName;
    if (!inf) {
      AddDisc(Severity::Error, infPath, "autorun.inf is missing: Windows will not start the menu from the disc");
      return;
    }
    inf->Used = true;
    std::string text, error;
    if (!files_.ReadFile(ChildPath(folder_, inf->Name), text, error)) {
      AddDisc(Severity::Error, inf->Path, "autorun.inf cannot be read: " + error);
      return;
    }
    std::string section, open, icon;
    bool hasOpen = false, hasIcon = false;
    for (const std::string& line : SplitLines(text)) {
      const std::string t = TrimBlanks(line);
      if (t.empty() || t.front() == ';') continue;
      if (t.front() == '[') {
        section = t.back() == ']' ? UpperAscii(TrimBlanks(t.substr(1, t.size() - 2))) : std::string();
        continue;
      }
      const size_t eq = t.find('=');
      if (section != "AUTORUN" || eq == std::string::npos) continue;
      const std::string key = UpperAscii(TrimBlanks(t.substr(0, eq)));
      const std::string value = TrimBlanks(t.substr(eq + 1));
      if (key == "OPEN" && !hasOpen) {
        hasOpen = true;
        open = value;
      } else if (key == "ICON" && !hasIcon) {
        hasIcon = true;
        icon = value;
      }
    }
    if (!hasOpen) {
      AddDisc(Severity::Error, inf->Path,
              "autorun.inf has no OPEN line in its [autorun] section: Windows will not start the menu");
    } else if (!EqualsIgnoringAsciiCase(InfFileName(open, false), kPlayerExe)) {
      AddDisc(Severity::Error, inf->Path, "autorun.inf starts \"" + open + "\" instead of AutoRun.exe");
    }
    if (hasIcon && !icon.empty()) {
      // The icon may sit in a subfolder and carry an icon index after a comma.
      const std::string name = InfFileName(icon, true);
      DiscNode* node = LookupDiscPath(root_, name, files_).Node;
      if (node && !node->IsFolder)
        node->Used = true;
      else
        AddDisc(Severity::Warning, "\\" + name, "The disc icon that autorun.inf names is missing");
    }
  }

  // --- the project ---

  // The saved AutoRun.mnx as the player will read it; nothing, with an error, when it cannot be.
  std::optional<MenuSnapshot> ReadSavedProject() {
    DiscNode* project = RootFile(kProjectFileName);
    if (!project) {
      AddMenu(Severity::Error, std::string("\\") + kProjectFileName,
              "AutoRun.mnx is missing: the player has no menu to show");
      return std::nullopt;
    }
    project->Used = true;
    std::string bytes, error;
    if (!files_.ReadFile(ChildPath(folder_, project->Name), bytes, error)) {
      AddMenu(Severity::Error, project->Path, "AutoRun.mnx cannot be read: " + error);
      return std::nullopt;
    }
    FixedScreen screen;
    Platform env;
    env.Files = &files_;
    env.Display = &screen;
    env.Codes = request_.Codes;
    AppState state(env);
    ParseDetails details;
    switch (ParseProject(state, bytes, &details)) {
      case ParseOutcome::FormatMismatch:
        AddMenu(Severity::Error, project->Path, "AutoRun.mnx is not a menu project: the player will not load it");
        return std::nullopt;
      case ParseOutcome::IoError:
        AddMenu(Severity::Error, project->Path,
                "AutoRun.mnx is damaged: it cannot be read past byte " + std::to_string(details.FailOffset));
        return std::nullopt;
      case ParseOutcome::Loaded:
        break;
    }
    if (details.Extension == ExtensionState::Ignored)
      AddMenu(Severity::Note, project->Path,
              "AutoRun.mnx ends with a block of Unicode text that is damaged or of a later version: the menu "
              "shows its 8-bit text, with ? for what the code page cannot hold");
    // A label the file holds (written by a tool) that autorun.inf cannot.
    if (const std::string problem = DiscLabelProblem(state.Project.DiscLabel, request_.Codes); !problem.empty())
      AddMenu(Severity::Warning, project->Path, problem + " autorun.inf is written without it.");
    if (details.Extension == ExtensionState::Read && request_.Codes)
      NoteUnicodeOnlyStrings(state.Project, *request_.Codes, details.CodePage, findings_);
    return TakeMenuSnapshot(state.Project, false);
  }

  // False when there was no menu to check.
  bool CheckProject() {
    const std::optional<MenuSnapshot> saved = ReadSavedProject();
    const MenuSnapshot* menu = request_.Menu ? request_.Menu : saved ? &*saved : nullptr;
    if (!menu) return false;
    CheckMenuFiles(*menu, folder_, root_, files_, findings_);
    CheckStartPage(*menu, files_, folder_, root_, findings_);
    CheckMenuAccess(*menu, findings_);
    return true;
  }

  // --- size and the medium it fits ---

  void CheckSize() {
    uint64_t bytes = 0, fileCount = 0;
    MeasureDisc(root_, bytes, fileCount);
    const Medium* medium = SmallestMediumFor(bytes);
    const std::string fits = medium ? std::string("fits a ") + medium->Name : std::string("fits no disc");
    if (bytes > kMedia[0].Capacity)
      AddDisc(Severity::Warning, "",
              "The folder takes " + MegaBytes(bytes) + ", more than a " + kMedia[0].Name + " holds: " + fits);
    AddDisc(Severity::Note, "",
            "Total size " + MegaBytes(bytes) + " in " + CountText(fileCount) + (fileCount == 1 ? " file: " : " files: ") +
                fits);
  }

  // --- files nothing uses ---

  void NoteUnused(DiscNode& folder) {
    for (DiscNode& child : folder.Children) {
      if (child.IsFolder && !HasUsed(child)) {
        AddDisc(Severity::Note, child.Path, "Nothing in the menu uses this folder or anything in it");
      } else if (child.IsFolder) {
        NoteUnused(child);
      } else if (!child.Used) {
        AddDisc(Severity::Note, child.Path, "Nothing in the menu uses this file");
      }
    }
  }

  FileSystem& files_;
  const DiscCheckRequest& request_;
  std::string folder_;
  DiscNode root_{"", "", "", true, false, 0, false, {}};
  DiscCheckProgress counts_;
  std::vector<Finding> findings_;
};

std::string WithoutTrailingSeparator(std::string folder) {
  if (folder.size() > 1 && IsSeparator(folder.back()) && !(folder.size() == 3 && folder[1] == ':')) folder.pop_back();
  return folder;
}

}  // namespace

std::optional<std::vector<Finding>> RunDiscCheck(FileSystem& files, const DiscCheckRequest& request) {
  return DiscChecker(files, request, WithoutTrailingSeparator(request.CdFolder)).Run();
}

std::vector<Finding> CheckDisc(FileSystem& files, const std::string& cdFolder, CodePages* codes) {
  DiscCheckRequest request;
  request.CdFolder = cdFolder;
  request.Codes = codes;
  return RunDiscCheck(files, request).value();
}

const Medium* SmallestMediumFor(uint64_t bytes) {
  for (const Medium& medium : kMedia)
    if (bytes <= medium.Capacity) return &medium;
  return nullptr;
}

}  // namespace corvela
