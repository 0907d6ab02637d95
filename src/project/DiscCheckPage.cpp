#include "project/DiscCheckPage.h"

#include "project/CdFolder.h"
#include "project/DiscFolder.h"

namespace corvela {

namespace {

// The pictures the page names: what follows each "Start.files/" up to its closing quote.
std::vector<std::string> PagePictures(const std::string& html) {
  std::vector<std::string> names;
  const std::string prefix = std::string(kStartFilesFolder) + "/";
  for (size_t at = html.find(prefix); at != std::string::npos; at = html.find(prefix, at)) {
    at += prefix.size();
    const size_t end = html.find_first_of("\"')", at);
    if (end == std::string::npos) break;
    names.push_back(html.substr(at, end - at));
  }
  return names;
}

}  // namespace

void CheckStartPage(const MenuSnapshot& menu, FileSystem& files, const std::string& cdFolder, DiscNode& root,
                    std::vector<Finding>& findings) {
  DiscNode* page = root.Find(kStartPageFileName, files.FoldedName(kStartPageFileName));
  if (page && page->IsFolder) page = nullptr;
  DiscNode* folder = root.Find(kStartFilesFolder, files.FoldedName(kStartFilesFolder));
  if (folder && !folder->IsFolder) folder = nullptr;
  const std::string pagePath = std::string("\\") + kStartPageFileName;
  if (!menu.PublishStartPage) {
    if (page)
      AddFinding(findings, Severity::Note, kDiscOwner, pagePath,
                 "The menu publishes no start page, but this one is left from before: save the menu to remove it");
    return;
  }
  if (folder) MarkUsed(*folder);
  if (!page) {
    AddFinding(findings, Severity::Error, kDiscOwner, pagePath,
               "Start.html is missing: computers that do not start the player have no page to open. Save the menu "
               "to publish it");
  } else {
    page->Used = true;
    std::string html, error;
    if (files.ReadFile(ChildPath(cdFolder, kStartPageFileName), html, error)) {
      for (const std::string& name : PagePictures(html)) {
        const DiscNode* picture = folder ? folder->Find(name, files.FoldedName(name)) : nullptr;
        if (!picture || picture->IsFolder)
          AddFinding(findings, Severity::Error, kDiscOwner, std::string("\\") + kStartFilesFolder + "\\" + name,
                     "The start page shows a picture that is missing: save the menu again");
      }
    }
  }
  for (size_t i = 0; i < menu.Objects.size(); ++i) {
    const MenuSnapshot::Object& obj = menu.Objects[i];
    const FindingOwner owner = OwnerOf(obj, static_cast<int32_t>(i));
    if (obj.Link.Action == LinkAction::ExitAutoRun) {
      AddFinding(findings, Severity::Note, owner, "",
                 "The start page leaves this object out: a browser's page has no menu window to close");
    } else if (obj.Link.Action == LinkAction::OpenFile &&
               (!obj.Link.Parameters.empty() || !obj.Link.StartDirectory.empty())) {
      AddFinding(findings, Severity::Note, owner, obj.Link.Target,
                 "On the start page this link opens the file without its parameters and start folder");
    }
  }
}

}  // namespace corvela
