#include "dialogs/LinkEditorRules.h"

#include "project/LinkAddress.h"

namespace corvela {

LinkFieldStates EnabledLinkFields(int action) {
  switch (static_cast<LinkAction>(action)) {
    case LinkAction::OpenFile:
      return {true, true, true, true};
    case LinkAction::OpenUrl:
    case LinkAction::SendEmail:
      return {true, false, false, false};
    case LinkAction::PlaySound:
    case LinkAction::PrintFile:
      return {true, false, false, true};
    default:
      return {};
  }
}

bool ActionTakesFile(int action) {
  const auto a = static_cast<LinkAction>(action);
  return a == LinkAction::OpenFile || a == LinkAction::PlaySound || a == LinkAction::PrintFile;
}

LinkEditorFields FillLinkEditor(const ObjectLink& link) {
  LinkEditorFields f;
  f.Action = ListEntryFor(static_cast<int>(link.Action), kLinkActionEntries.size());
  f.Target = link.Target;
  f.Parameters = link.Parameters;
  f.StartDirectory = link.StartDirectory;
  return f;
}

bool WriteBackLinkEditor(const LinkEditorFields& f, const DialogFlags& flags, ObjectLink& link) {
  if (!flags.ShouldWrite()) return false;
  StoreListEntry(f.Action, kLinkActionEntries.size(), link.Action);
  link.Target = f.Target;
  link.Parameters = f.Parameters;
  link.StartDirectory = f.StartDirectory;
  if (ActionTakesFile(static_cast<int>(link.Action))) {
    link.Target = NormalizeStoredPath(link.Target);
    link.StartDirectory = NormalizeStoredPath(link.StartDirectory);
  }
  if (link.Action == LinkAction::OpenUrl) link.Target = WithWebScheme(link.Target);
  return true;
}

std::string StoredFolderOf(const std::string& storedPath) {
  const size_t last = storedPath.rfind('\\');
  if (last == std::string::npos || last == 0) return "\\";
  return storedPath.substr(0, last);
}

SelectResult BrowseLinkTarget(AppState& state, LinkEditorFields& fields) {
  SelectResult result = SelectFileInCdFolder(state, fields.Target, kAllFilesFilter, RefusalStyle::Information);
  if (result != SelectResult::Changed && result != SelectResult::Unchanged) return result;
  std::string folder = StoredFolderOf(fields.Target);
  if (folder != fields.StartDirectory) {
    fields.StartDirectory = std::move(folder);
    result = SelectResult::Changed;
  }
  return result;
}

}  // namespace corvela
