#include "project/DiscCheckProject.h"

#include "project/LinkAddress.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

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

constexpr const char* kNoSchemeMessage = "The web address lacks http:// or https://, so Windows may take it for a file";

class MenuChecker {
 public:
  MenuChecker(const std::string& cdFolder, DiscNode& root, FileSystem& files, std::vector<Finding>& findings)
      : folder_(cdFolder), root_(root), files_(files), findings_(findings) {}

  void Check(const MenuSnapshot& menu) {
    const FindingOwner& owner = kMenuOwner;
    if (menu.Unsaved)
      Add(Severity::Warning, owner, "",
          "The menu on screen has changes that are not saved: the disc holds the menu as last saved");
    CheckPath(owner, menu.FormIcon, {"Window icon", Join::CdPlusValue, Want::File});
    CheckPath(owner, menu.StartSound, {"Start sound", Join::CdSlashValue, Want::File});
    CheckLink(owner, menu.StartLink);
    for (size_t i = 0; i < menu.Objects.size(); ++i) CheckObject(menu.Objects[i], static_cast<int32_t>(i));
  }

 private:
  void Add(Severity level, const FindingOwner& owner, const std::string& path, const std::string& message) {
    AddFinding(findings_, level, owner, path, message);
  }

  void CheckObject(const MenuSnapshot::Object& obj, int32_t index) {
    const FindingOwner owner = OwnerOf(obj, index);
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

  void CheckLink(const FindingOwner& owner, const ObjectLink& link) {
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
  // enough to judge, and an address with no scheme at all is one typed before the designer put
  // https:// in front.
  void CheckAddress(const FindingOwner& owner, const std::string& target) {
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
        if (LacksWebScheme(target) || !HasUrlScheme(TrimBlanks(target)))
          Add(Severity::Warning, owner, target, kNoSchemeMessage);
        break;
    }
  }

  void CheckPath(const FindingOwner& owner, const std::string& value, const PathField& field, bool markUsed = true) {
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
    const bool mayBeAddress = field.HowJoined == Join::ResolveOrUrl;
    const std::string below = MakeStoredPath(folder_, joined);
    if (below.empty()) {
      if (field.HowJoined == Join::CdPlusValue)
        return outside("lacks its leading backslash and names a file beside the CD folder, not in it");
      if (mayBeAddress && (HasUrlScheme(value) || LacksWebScheme(value))) return CheckAddress(owner, value);
      return outside("lacks its leading backslash and depends on the current folder, not the CD folder");
    }
    if (ClimbsOutOfDisc(below)) return outside("climbs out of the CD folder with \"..\"");
    const DiscLookup found = LookupDiscPath(root_, below, files_);
    if (found.Link) {
      Add(Severity::Note, owner, value, role + " lies behind a folder link, so it was not checked");
      return;
    }
    DiscNode* node = found.Node;
    const bool fits = node && (field.Wanted == Want::FileOrFolder || (field.Wanted == Want::Folder) == node->IsFolder);
    if (!fits) {
      if (node)
        Add(Severity::Error, owner, value, role + (node->IsFolder ? " is a folder, not a file" : " is a file, not a folder"));
      else if (mayBeAddress && LacksWebScheme(value.substr(1)))
        // "\www.example.com": what the file input stored for a web address typed without a scheme.
        Add(Severity::Warning, owner, value,
            role + " looks like a web address stored without http:// or https://, so the pane looks for a file of "
                   "that name on the disc");
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

  const std::string& folder_;
  DiscNode& root_;
  FileSystem& files_;
  std::vector<Finding>& findings_;
};

}  // namespace

FindingOwner OwnerOf(const MenuSnapshot::Object& obj, int32_t index) {
  return {FindingSubject::Object, index, obj.Name.empty() ? KindName(obj.Kind) : obj.Name};
}

MenuSnapshot TakeMenuSnapshot(const MenuProject& project, bool unsaved) {
  MenuSnapshot menu;
  menu.FormIcon = project.FormIcon;
  menu.StartSound = project.StartSound;
  menu.StartLink = project.StartLink;
  menu.Unsaved = unsaved;
  menu.PublishStartPage = project.PublishStartPage;
  menu.BackColor = project.BackColor;
  menu.GradientColor = project.GradientColor;
  menu.GradientStyle = project.GradientStyle;
  menu.PanelWidth = project.Form.Width;
  menu.PanelHeight = project.Form.Height;
  menu.Objects.reserve(project.Objects.size());
  for (const auto& obj : project.Objects) {
    MenuSnapshot::Object copy;
    copy.Kind = obj->Kind;
    copy.Name = obj->Base().Name;
    copy.Link = obj->Link;
    copy.BitmapFile = obj->BitmapFile;
    copy.HotTrackBitmapFile = obj->HotTrackBitmapFile;
    copy.FileName = obj->FileName;
    copy.HotTrackImageFile = obj->HotTrackImageFile;
    copy.Control = obj->Control;
    copy.NormalFont = obj->NormalFont;
    copy.HotTrackFont = obj->HotTrackFont;
    copy.Hot = obj->Hot;
    menu.Objects.push_back(std::move(copy));
  }
  return menu;
}

void CheckMenuFiles(const MenuSnapshot& menu, const std::string& cdFolder, DiscNode& root, FileSystem& files,
                    std::vector<Finding>& findings) {
  MenuChecker(cdFolder, root, files, findings).Check(menu);
}

}  // namespace corvela
