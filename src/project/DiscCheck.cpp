#include "project/DiscCheck.h"

#include <algorithm>
#include <cstdio>

#include "platform/PathNames.h"
#include "platform/Platform.h"
#include "platform/StdPlatform.h"
#include "platform/TextLines.h"
#include "project/AppState.h"
#include "project/CdFolder.h"
#include "project/LinkAddress.h"
#include "project/Model.h"
#include "project/ProjectFile.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

constexpr const char* kPlayerExe = kPlayerFileName;
constexpr const char* kDiscIcon = kCdIconFileName;
constexpr const char* kInfName = kAutorunInfFileName;
// What SaveFileSafely leaves beside a file when a save is cut short, now and in earlier versions.
constexpr const char* kSaveLeftovers[] = {kSafeSaveSuffix, kOldSaveSuffix};
// Characters the Joliet file system refuses, and those Windows cannot read back from any disc.
constexpr const char* kRefusedCharacters = "*/:;?\\<>\"|";
// A folder link that loops back to a parent would otherwise be walked for ever.
constexpr int kWalkDepthLimit = 64;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The platform takes the CD folder as given; its children are joined with the separator the
// folder itself uses, so the same code walks Z:\cd under Windows and /tmp/cd natively.
std::string ChildPath(const std::string& folder, const std::string& name) {
  const char separator = folder.find('\\') == std::string::npos && folder.find('/') != std::string::npos ? '/' : '\\';
  if (!folder.empty() && IsSeparator(folder.back())) return folder + name;
  return folder + separator + name;
}

// Joliet counts characters: UTF-8 text (native names) by code point, 8-bit text by byte.
size_t CharacterCount(const std::string& name) {
  size_t count = 0;
  for (size_t i = 0; i < name.size();) {
    const auto lead = static_cast<unsigned char>(name[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > name.size()) return name.size();
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(name[i + k]) >> 6) != 0x2) return name.size();
    i += length;
    ++count;
  }
  return count;
}

const char* KindName(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Label:
      return "Label";
    case ObjectKind::Button:
      return "Button";
    case ObjectKind::Image:
      return "Image";
    case ObjectKind::Avi:
      return "AVI";
    case ObjectKind::Html:
      return "HTML";
    case ObjectKind::Rtf:
      return "RTF";
    case ObjectKind::Movie:
      return "Movie";
  }
  return "Object";
}

std::string MegaBytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return text;
}

// --- the folder as a tree, looked up the way Windows and a disc look names up ---

struct Node {
  std::string Name;
  std::string Path;  // inside the CD folder, a backslash in front; empty for the CD folder
  bool IsFolder = false;
  uint64_t Size = 0;
  bool Used = false;  // named by the project or published; or already reported otherwise
  std::vector<Node> Children;

  // The exact name first, then any letter case, as Windows and a disc find it.
  Node* Find(const std::string& name) {
    for (Node& child : Children)
      if (child.Name == name) return &child;
    for (Node& child : Children)
      if (EqualsIgnoringAsciiCase(child.Name, name)) return &child;
    return nullptr;
  }
};

void MarkUsed(Node& node) {
  node.Used = true;
  for (Node& child : node.Children) MarkUsed(child);
}

bool HasUsed(const Node& node) {
  if (node.Used) return true;
  return std::any_of(node.Children.begin(), node.Children.end(), HasUsed);
}

// How a field's stored value becomes a path, as the player joins it.
enum class Join {
  CdPlusValue,     // CD folder + value: form icon, link targets and start folders
  CdSlashValue,    // CD folder + "\" + value: the start sound
  ResolveOrAsIs,   // ResolveStoredPath: a backslash in front joins, anything else is used as it is
  ResolveOrUrl,    // the same, where anything else may be a web address (HTML panes)
};

enum class Want { File, Folder, FileOrFolder };

struct PathField {
  const char* Role;  // "Glyph", "Link target", ...
  Join HowJoined;
  Want Wanted;
};

// Where a finding goes: the menu or one object.
struct Owner {
  FindingSubject Subject = FindingSubject::Menu;
  int32_t Index = kNoObject;
  std::string Name;
};
const Owner kDiscOwner{FindingSubject::Disc, kNoObject, ""};
const Owner kMenuOwner{FindingSubject::Menu, kNoObject, ""};

class DiscChecker {
 public:
  DiscChecker(FileSystem& files, std::string folder) : files_(files), folder_(std::move(folder)) {}

  std::vector<Finding> Run() {
    if (!files_.DirectoryExists(folder_) || !Load(root_, folder_, 0)) {
      Add(Severity::Error, kDiscOwner, "", "The CD folder does not exist or cannot be read");
      return std::move(findings_);
    }
    CheckPublishedFiles();
    CheckNames(root_, 0);
    const bool loaded = CheckProject();
    CheckSize();
    if (loaded) NoteUnused(root_);
    SortFindings(findings_);
    return std::move(findings_);
  }

 private:
  void Add(Severity level, const Owner& owner, const std::string& path, const std::string& message) {
    Finding f;
    f.Level = level;
    f.Subject = owner.Subject;
    f.ObjectIndex = owner.Index;
    f.ObjectName = owner.Name;
    f.Path = path;
    f.Message = message;
    findings_.push_back(std::move(f));
  }
  void AddDisc(Severity level, const std::string& path, const std::string& message) {
    Add(level, kDiscOwner, path, message);
  }

  bool Load(Node& folder, const std::string& path, int depth) {
    std::vector<FolderEntry> entries;
    if (!files_.ListFolder(path, entries)) return false;
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.Name < b.Name; });
    for (FolderEntry& entry : entries) {
      Node child;
      child.Name = entry.Name;
      child.Path = folder.Path + "\\" + entry.Name;
      child.IsFolder = entry.IsFolder;
      child.Size = entry.Size;
      if (child.IsFolder) {
        if (depth >= kWalkDepthLimit || !Load(child, ChildPath(path, entry.Name), depth + 1))
          AddDisc(Severity::Warning, child.Path, "This folder cannot be read, so it was not checked");
      }
      folder.Children.push_back(std::move(child));
    }
    return true;
  }

  // --- published files ---

  Node* RootFile(const std::string& name) {
    Node* node = root_.Find(name);
    return node && !node->IsFolder ? node : nullptr;
  }

  void CheckPublishedFiles() {
    if (Node* exe = RootFile(kPlayerExe))
      exe->Used = true;
    else
      AddDisc(Severity::Error, std::string("\\") + kPlayerExe,
              "AutoRun.exe is missing: the disc has no player to show the menu. Save the menu to publish it");
    if (Node* icon = RootFile(kDiscIcon)) icon->Used = true;
    CheckInf();
    for (Node& child : root_.Children) {
      if (child.IsFolder) continue;
      for (const char* published : kSafelySavedFiles)
        for (const char* suffix : kSaveLeftovers)
          if (EqualsIgnoringAsciiCase(child.Name, std::string(published) + suffix)) {
            child.Used = true;
            AddDisc(Severity::Warning, child.Path, "Left over from an interrupted save; delete it before burning");
          }
    }
  }

  void CheckInf() {
    Node* inf = RootFile(kInfName);
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
      Node* node = Lookup(name);
      if (node && !node->IsFolder)
        node->Used = true;
      else
        AddDisc(Severity::Warning, "\\" + name, "The disc icon that autorun.inf names is missing");
    }
  }

  // The file an OPEN or ICON value names: quotes, arguments or the icon index and a leading
  // ".\" or "\" removed.
  static std::string InfFileName(std::string value, bool isIcon) {
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

  // A path below the CD folder, separators and "." steps as Windows takes them; null when it
  // climbs out or names nothing.
  Node* Lookup(const std::string& below) {
    std::vector<Node*> trail{&root_};
    for (const std::string& step : Steps(below)) {
      if (step == "..") {
        if (trail.size() == 1) return nullptr;
        trail.pop_back();
        continue;
      }
      Node* next = trail.back()->IsFolder ? trail.back()->Find(step) : nullptr;
      if (!next) return nullptr;
      trail.push_back(next);
    }
    return trail.back();
  }

  // True when the ".." steps of a path below the CD folder climb above it.
  static bool ClimbsOut(const std::string& below) {
    int depth = 0;
    for (const std::string& step : Steps(below)) {
      depth += step == ".." ? -1 : 1;
      if (depth < 0) return true;
    }
    return false;
  }

  // The names between separators, without empty ones and "." (both mean no step at all).
  static std::vector<std::string> Steps(const std::string& path) {
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

  // --- names, depth and letter case ---

  void CheckNames(Node& folder, int depth) {
    std::vector<Node*> seen;
    for (Node& child : folder.Children) {
      if (CharacterCount(child.Name) > kMaxDiscNameLength)
        AddDisc(Severity::Warning, child.Path,
                "Name longer than " + std::to_string(kMaxDiscNameLength) + " characters: a disc cuts or refuses it");
      std::string refused;
      for (char c : child.Name) {
        const bool bad = static_cast<unsigned char>(c) < 0x20 || std::string(kRefusedCharacters).find(c) != std::string::npos;
        if (bad && refused.find(c) == std::string::npos) refused += c;
      }
      if (!refused.empty()) {
        std::string shown;
        for (char c : refused) shown += static_cast<unsigned char>(c) < 0x20 ? std::string("a control character") : std::string(1, c);
        AddDisc(Severity::Warning, child.Path, "Name holds characters a disc refuses: " + shown);
      }
      for (Node* other : seen)
        if (EqualsIgnoringAsciiCase(other->Name, child.Name)) {
          AddDisc(Severity::Warning, child.Path,
                  "Differs from \"" + other->Name + "\" only in letter case: a disc keeps only one of them");
          break;
        }
      seen.push_back(&child);
      if (!child.IsFolder) continue;
      // Only the first folder too deep on each branch is reported, not everything below it.
      if (depth + 1 == kMaxDiscFolderDepth + 1)
        AddDisc(Severity::Warning, child.Path,
                "Folder " + std::to_string(depth + 1) + " levels deep: a disc takes at most " +
                    std::to_string(kMaxDiscFolderDepth));
      CheckNames(child, depth + 1);
    }
  }

  // --- the project and every file it names ---

  bool CheckProject() {
    const Owner& menu = kMenuOwner;
    Node* project = RootFile(kProjectFileName);
    const std::string projectPath = std::string("\\") + kProjectFileName;
    if (!project) {
      Add(Severity::Error, menu, projectPath, "AutoRun.mnx is missing: the player has no menu to show");
      return false;
    }
    project->Used = true;
    std::string bytes, error;
    if (!files_.ReadFile(ChildPath(folder_, project->Name), bytes, error)) {
      Add(Severity::Error, menu, project->Path, "AutoRun.mnx cannot be read: " + error);
      return false;
    }
    FixedScreen screen;
    Platform env;
    env.Files = &files_;
    env.Display = &screen;
    AppState state(env);
    ParseDetails details;
    switch (ParseProject(state, bytes, &details)) {
      case ParseOutcome::FormatMismatch:
        Add(Severity::Error, menu, project->Path, "AutoRun.mnx is not a menu project: the player will not load it");
        return false;
      case ParseOutcome::IoError:
        Add(Severity::Error, menu, project->Path,
            "AutoRun.mnx is damaged: it cannot be read past byte " + std::to_string(details.FailOffset));
        return false;
      case ParseOutcome::Loaded:
        break;
    }
    const MenuProject& p = state.Project;
    CheckPath(menu, p.FormIcon, {"Window icon", Join::CdPlusValue, Want::File});
    CheckPath(menu, p.StartSound, {"Start sound", Join::CdSlashValue, Want::File});
    CheckLink(menu, p.StartLink);
    for (size_t i = 0; i < p.Objects.size(); ++i) {
      const MenuObject& obj = *p.Objects[i];
      const std::string& name = obj.Base().Name;
      const Owner owner{FindingSubject::Object, static_cast<int32_t>(i), name.empty() ? KindName(obj.Kind) : name};
      switch (obj.Kind) {
        case ObjectKind::Label:
          CheckLink(owner, obj.Link);
          break;
        case ObjectKind::Button:
          CheckPath(owner, obj.BitmapFile, {"Glyph", Join::ResolveOrAsIs, Want::File});
          CheckPath(owner, obj.HotTrackBitmapFile, {"Hot-track glyph", Join::ResolveOrAsIs, Want::File});
          CheckLink(owner, obj.Link);
          break;
        case ObjectKind::Image:
          CheckPath(owner, obj.FileName, {"Picture", Join::ResolveOrAsIs, Want::File});
          CheckPath(owner, obj.HotTrackImageFile, {"Hot-track picture", Join::ResolveOrAsIs, Want::File});
          CheckLink(owner, obj.Link);
          break;
        case ObjectKind::Avi:
          CheckPath(owner, obj.FileName, {"Clip", Join::ResolveOrAsIs, Want::File});
          break;
        case ObjectKind::Html:
          CheckPath(owner, obj.FileName, {"HTML page", Join::ResolveOrUrl, Want::File});
          break;
        case ObjectKind::Rtf:
          CheckPath(owner, obj.FileName, {"RTF document", Join::ResolveOrAsIs, Want::File});
          break;
        case ObjectKind::Movie:
          break;
      }
    }
    return true;
  }

  void CheckLink(const Owner& owner, const ObjectLink& link) {
    switch (link.Action) {
      case LinkAction::OpenFile:
        // An empty target or start folder is the CD folder itself.
        if (!link.Target.empty()) CheckPath(owner, link.Target, {"Link target", Join::CdPlusValue, Want::FileOrFolder});
        if (!link.StartDirectory.empty())
          CheckPath(owner, link.StartDirectory, {"Start folder", Join::CdPlusValue, Want::Folder}, false);
        break;
      case LinkAction::PlaySound:
      case LinkAction::PrintFile:
        if (link.Target.empty())
          Add(Severity::Error, owner, "", "The link names no file");
        else
          CheckPath(owner, link.Target, {"Link target", Join::CdPlusValue, Want::File});
        break;
      case LinkAction::OpenUrl:
        CheckAddress(owner, link.Target);
        break;
      case LinkAction::SendEmail:
        if (KindOfAddress(link.Target) == AddressKind::Mail)
          Add(Severity::Warning, owner, link.Target, "The e-mail address begins with mailto:, which the link adds itself");
        else if (!IsWellFormedMailAddress(link.Target))
          Add(Severity::Warning, owner, link.Target, "The e-mail address is not well formed");
        break;
      case LinkAction::None:
      case LinkAction::BrowseCd:
      case LinkAction::ExitAutoRun:
        break;
    }
  }

  // An Open URL target or an HTML pane's address; only http, https and mailto are known well
  // enough to judge.
  void CheckAddress(const Owner& owner, const std::string& target) {
    switch (KindOfAddress(target)) {
      case AddressKind::Empty:
        Add(Severity::Warning, owner, target, "The web link has no address");
        break;
      case AddressKind::Web:
        if (!IsWellFormedWebAddress(target)) Add(Severity::Warning, owner, target, "The web address is not well formed");
        break;
      case AddressKind::Mail:
        if (!IsWellFormedMailUrl(target)) Add(Severity::Warning, owner, target, "The e-mail address is not well formed");
        break;
      case AddressKind::Other:
        break;
    }
  }

  void CheckPath(const Owner& owner, const std::string& value, const PathField& field, bool markUsed = true) {
    if (value.empty()) return;
    const std::string role = field.Role;
    auto outside = [&](const std::string& why) {
      Add(Severity::Error, owner, value, role + " " + why + ", so it will not be on the disc");
    };
    const bool driveLetter = value.size() >= 2 && IsAsciiLetter(value[0]) && value[1] == ':';
    const bool networkPath = value.size() >= 2 && IsSeparator(value[0]) && IsSeparator(value[1]);
    if (driveLetter) return outside("has a drive letter and lies outside the CD folder");
    if (networkPath) return outside("is a network path outside the CD folder");
    // Joined as the player joins it; whatever does not then lie inside the CD folder is not on the disc.
    std::string joined;
    switch (field.HowJoined) {
      case Join::CdPlusValue:
        joined = folder_ + value;
        break;
      case Join::CdSlashValue:
        joined = folder_ + "\\" + value;
        break;
      case Join::ResolveOrAsIs:
      case Join::ResolveOrUrl:
        joined = ResolveStoredPath(folder_, value);
        break;
    }
    const std::string below = MakeStoredPath(folder_, joined);
    if (below.empty()) {
      if (field.HowJoined == Join::CdPlusValue)
        return outside("lacks its leading backslash and names a file beside the CD folder, not in it");
      if (field.HowJoined == Join::ResolveOrUrl && HasUrlScheme(value)) return CheckAddress(owner, value);
      return outside("lacks its leading backslash and depends on the current folder, not the CD folder");
    }
    if (ClimbsOut(below)) return outside("climbs out of the CD folder with \"..\"");
    Node* node = Lookup(below);
    const bool fits = node && (field.Wanted == Want::FileOrFolder ||
                               (field.Wanted == Want::Folder) == node->IsFolder);
    if (!fits) {
      if (node)
        Add(Severity::Error, owner, value, role + (node->IsFolder ? " is a folder, not a file" : " is a file, not a folder"));
      else
        Add(Severity::Error, owner, value, role + " not found in the CD folder");
      return;
    }
    if (!markUsed) return;
    if (node->IsFolder)
      MarkUsed(*node);
    else
      node->Used = true;
  }

  // --- size and the medium it fits ---

  // Each file takes whole blocks of the disc; each folder at least one for its directory.
  static void Measure(const Node& folder, uint64_t& bytes, uint64_t& fileCount) {
    for (const Node& child : folder.Children) {
      if (child.IsFolder) {
        bytes += kDiscBlockSize;
        Measure(child, bytes, fileCount);
      } else {
        bytes += (child.Size + kDiscBlockSize - 1) / kDiscBlockSize * kDiscBlockSize;
        ++fileCount;
      }
    }
  }

  void CheckSize() {
    uint64_t bytes = 0, fileCount = 0;
    Measure(root_, bytes, fileCount);
    const Medium* medium = SmallestMediumFor(bytes);
    const std::string fits = medium ? std::string("fits a ") + medium->Name : std::string("fits no disc");
    if (bytes > kMedia[0].Capacity)
      AddDisc(Severity::Warning, "",
              "The folder takes " + MegaBytes(bytes) + ", more than a " + kMedia[0].Name + " holds: " + fits);
    AddDisc(Severity::Note, "",
            "Total size " + MegaBytes(bytes) + " in " + std::to_string(fileCount) +
                (fileCount == 1 ? " file: " : " files: ") + fits);
  }

  // --- files nothing uses ---

  void NoteUnused(Node& folder) {
    for (Node& child : folder.Children) {
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
  std::string folder_;
  Node root_{"", "", true, 0, false, {}};
  std::vector<Finding> findings_;
};

std::string WithoutTrailingSeparator(std::string folder) {
  if (folder.size() > 1 && IsSeparator(folder.back()) && !(folder.size() == 3 && folder[1] == ':')) folder.pop_back();
  return folder;
}

}  // namespace

std::vector<Finding> CheckDisc(FileSystem& files, const std::string& cdFolder) {
  return DiscChecker(files, WithoutTrailingSeparator(cdFolder)).Run();
}

void SortFindings(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.Level < b.Level; });
}

const char* SeverityName(Severity level) {
  switch (level) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    case Severity::Note:
      return "note";
  }
  return "note";
}

std::string FindingObjectText(const Finding& finding) {
  switch (finding.Subject) {
    case FindingSubject::Disc:
      return "disc";
    case FindingSubject::Menu:
      return "menu";
    case FindingSubject::Object:
      break;
  }
  return finding.ObjectName + " #" + std::to_string(finding.ObjectIndex);
}

std::string FindingLine(const Finding& finding) {
  std::string line = std::string(SeverityName(finding.Level)) + ": " + FindingObjectText(finding) + ": " + finding.Message;
  if (!finding.Path.empty()) line += " [" + finding.Path + "]";
  return line;
}

int CountFindings(const std::vector<Finding>& findings, Severity level) {
  return static_cast<int>(
      std::count_if(findings.begin(), findings.end(), [level](const Finding& f) { return f.Level == level; }));
}

std::string FindingsSummary(const std::vector<Finding>& findings) {
  auto count = [&](Severity level, const char* one, const char* many) {
    const int n = CountFindings(findings, level);
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  return count(Severity::Error, "error", "errors") + ", " + count(Severity::Warning, "warning", "warnings") + ", " +
         count(Severity::Note, "note", "notes");
}

const Medium* SmallestMediumFor(uint64_t bytes) {
  for (const Medium& medium : kMedia)
    if (bytes <= medium.Capacity) return &medium;
  return nullptr;
}

}  // namespace corvela
