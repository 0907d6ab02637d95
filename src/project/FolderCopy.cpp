#include "project/FolderCopy.h"

#include "platform/PathNames.h"
#include "project/CdFolder.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

std::string WithoutTrailingBackslash(std::string folder) {
  if (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
  return folder;
}

// The published files at the folder's root: Save As writes them from the menu on screen.
bool WrittenBySave(const std::string& name) {
  for (const char* published : kSafelySavedFiles) {
    if (EqualsIgnoringAsciiCase(name, published)) return true;
    for (const char* suffix : {kSafeSaveSuffix, kOldSaveSuffix})
      if (EqualsIgnoringAsciiCase(name, std::string(published) + suffix)) return true;
  }
  return false;
}

bool SameBytes(FileSystem& files, const std::string& a, const std::string& b) {
  std::string left, right, error;
  return files.ReadFile(a, left, error) && files.ReadFile(b, right, error) && left == right;
}

CopyOutcome CopyTree(Platform& env, const std::string& from, const std::string& to, bool root) {
  FileSystem& files = *env.Files;
  std::vector<FolderEntry> entries;
  if (!files.ListFolder(from, entries)) {
    ShowError(env, "Cannot read the folder \"" + from + "\".");
    return CopyOutcome::Failed;
  }
  for (const FolderEntry& entry : entries) {
    if (entry.IsLink || (root && !entry.IsFolder && WrittenBySave(entry.Name))) continue;
    const std::string source = from + "\\" + entry.Name, target = to + "\\" + entry.Name;
    if (entry.IsFolder) {
      if (!files.CreateFolder(target)) {
        ShowError(env, "Cannot create the folder \"" + target + "\".");
        return CopyOutcome::Failed;
      }
      if (const CopyOutcome inner = CopyTree(env, source, target, false); inner != CopyOutcome::Copied) return inner;
      continue;
    }
    if (files.FileExists(target)) {
      if (SameBytes(files, source, target)) continue;
      switch (env.Ui->AskUser(
          "\"" + target + "\" is already there and holds another file.\n\nReplace it with \"" + source + "\"?",
          kSaveAsTitle, MessageIcon::Warning, MessageButtons::YesNoCancel)) {
        case MessageResult::Yes:
          break;
        case MessageResult::No:
          continue;
        default:
          return CopyOutcome::Cancelled;
      }
    }
    if (!files.CopyOneFile(source, target)) {
      ShowError(env, "Cannot copy \"" + source + "\" to \"" + target + "\".");
      return CopyOutcome::Failed;
    }
  }
  return CopyOutcome::Copied;
}

}  // namespace

bool SameFolder(const std::string& a, const std::string& b) {
  return EqualsIgnoringAsciiCase(WithoutTrailingBackslash(a), WithoutTrailingBackslash(b));
}

std::string SaveAsPlaceProblem(const std::string& cdFolder, const std::string& target) {
  const std::string source = WithoutTrailingBackslash(cdFolder), place = WithoutTrailingBackslash(target);
  if (SameFolder(source, place)) return {};
  if (!MakeStoredPath(source, place).empty())
    return "\"" + place + "\" lies inside the CD folder \"" + source +
           "\": the copy would hold itself. Choose a folder outside it.";
  if (!MakeStoredPath(place, source).empty())
    return "\"" + place + "\" holds the CD folder \"" + source +
           "\": the copy would land on its own files. Choose a folder outside it.";
  return {};
}

CopyOutcome CopyCdFolderFiles(Platform& env, const std::string& from, const std::string& to) {
  return CopyTree(env, WithoutTrailingBackslash(from), WithoutTrailingBackslash(to), true);
}

}  // namespace corvela
