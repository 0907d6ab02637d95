#include "project/CopyIn.h"

#include <algorithm>

#include "platform/PathNames.h"
#include "project/FolderCopy.h"
#include "project/StoredPath.h"

namespace corvela {

namespace {

bool SameBytes(FileSystem& files, const std::string& a, const std::string& b) {
  std::string left, right, error;
  return files.ReadFile(a, left, error) && files.ReadFile(b, right, error) && left == right;
}

bool Copy(AppState& state, const std::string& from, const std::string& to) {
  if (state.Env.Files->CopyOneFile(from, to)) return true;
  ShowError(state.Env, "Cannot copy \"" + from + "\" to \"" + to + "\".");
  return false;
}

// The stored path of a copy just made; the next copy is offered the same folder.
std::string Copied(AppState& state, const std::string& destination) {
  state.LastCopyFolder = MakeStoredPath(state.CDFolder, FolderPart(destination));
  return MakeStoredPath(state.CDFolder, destination);
}

// A place the user picked in a Save box, which has asked before replacing a file there.
std::optional<std::string> CopyToChosenPlace(AppState& state, const std::string& source, const std::string& folder) {
  FileChooserRequest request;
  request.Save = true;
  request.MustExist = false;
  request.InitialDir = folder;
  request.FileName = FileNamePart(source);
  request.Title = "Copy Into the CD Folder";
  const std::optional<std::string> chosen = state.Env.Chooser->ChooseFile(request);
  if (!chosen) return std::nullopt;
  if (MakeStoredPath(state.CDFolder, *chosen).empty()) {
    ShowMessage(state.Env, RefusalMessage(state.CDFolder, RefusalStyle::Plain));
    return std::nullopt;
  }
  if (!SameBytes(*state.Env.Files, source, *chosen) && !Copy(state, source, *chosen)) return std::nullopt;
  return Copied(state, *chosen);
}

}  // namespace

std::string FreeFileName(FileSystem& files, const std::string& folder, const std::string& name) {
  if (!files.FileExists(folder + "\\" + name)) return name;
  const size_t dot = name.find_last_of('.');
  // ".hidden" has no stem to number: the number goes after it.
  const bool hasExtension = dot != std::string::npos && dot > 0;
  const std::string stem = hasExtension ? name.substr(0, dot) : name;
  const std::string extension = hasExtension ? name.substr(dot) : std::string();
  for (unsigned n = 2;; ++n) {
    const std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
    if (!files.FileExists(folder + "\\" + candidate)) return candidate;
  }
}

std::string CopyInFolder(AppState& state) {
  const std::string last = state.CDFolder + state.LastCopyFolder;
  return !state.LastCopyFolder.empty() && state.Env.Files->DirectoryExists(last) ? last : state.CDFolder;
}

std::optional<std::string> OfferCopyIntoCdFolder(AppState& state, const std::string& source) {
  FileSystem& files = *state.Env.Files;
  UserInterface& ui = *state.Env.Ui;
  if (state.CDFolder.empty() || !files.FileExists(source)) return std::nullopt;
  const std::string folder = CopyInFolder(state);
  const std::string name = FileNamePart(source);
  switch (ui.AskUser("Copy \"" + name + "\" into the CD folder?\n\nYes copies it into \"" + folder +
                         "\"; No lets you choose another place in the CD folder.",
                     kCopyInTitle, MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageResult::Yes:
      break;
    case MessageResult::No:
      return CopyToChosenPlace(state, source, folder);
    default:
      return std::nullopt;
  }
  std::string destination = folder + "\\" + name;
  if (files.FileExists(destination) && !SameBytes(files, source, destination)) {
    const std::string free = FreeFileName(files, folder, name);
    if (ui.AskUser("\"" + folder + "\" already holds another file named \"" + name + "\".\n\nCopy this one as \"" +
                       free + "\" instead?",
                   kCopyInTitle, MessageIcon::Question, MessageButtons::YesNo) != MessageResult::Yes)
      return std::nullopt;
    destination = folder + "\\" + free;
  }
  if (!files.FileExists(destination) && !Copy(state, source, destination)) return std::nullopt;
  return Copied(state, destination);
}

std::vector<std::string> FilesLackingAfterPaste(FileSystem& files, const std::vector<const MenuObject*>& objects,
                                                const std::string& sourceFolder, const std::string& cdFolder) {
  std::vector<std::string> lacking;
  if (sourceFolder.empty() || cdFolder.empty() || SameFolder(sourceFolder, cdFolder)) return lacking;
  auto consider = [&](const std::string& value) {
    const std::string stored = TrimBlanks(value);
    if (stored.size() < 2 || stored.front() != '\\' || stored[1] == '\\') return;  // not a CD folder's file
    if (std::find(lacking.begin(), lacking.end(), stored) != lacking.end()) return;
    if (!files.FileExists(cdFolder + stored) && files.FileExists(sourceFolder + stored)) lacking.push_back(stored);
  };
  for (const MenuObject* obj : objects) {
    for (const std::string* field : {&obj->HotTrackBitmapFile, &obj->HotTrackImageFile, &obj->BitmapFile,
                                     &obj->FileName, &obj->Link.SoundFile, &obj->Link.Target})
      consider(*field);
  }
  return lacking;
}

bool OfferCopyOfPastedFiles(AppState& state, const std::string& sourceFolder, const std::vector<std::string>& lacking) {
  if (lacking.empty()) return true;
  std::string list;
  for (const std::string& stored : lacking) list += "\n" + stored;
  if (state.Env.Ui->AskUser("The pasted objects name files of \"" + sourceFolder + "\" that this CD folder lacks:\n" +
                                list + "\n\nCopy them into the CD folder, each to the same place?",
                            kCopyInTitle, MessageIcon::Question, MessageButtons::YesNo) != MessageResult::Yes)
    return false;
  FileSystem& files = *state.Env.Files;
  for (const std::string& stored : lacking) {
    // The folders on the way, each made once it is missing.
    for (size_t cut = stored.find('\\', 1); cut != std::string::npos; cut = stored.find('\\', cut + 1))
      if (!files.CreateFolder(state.CDFolder + stored.substr(0, cut))) {
        ShowError(state.Env, "Cannot create the folder \"" + state.CDFolder + stored.substr(0, cut) + "\".");
        return false;
      }
    if (!Copy(state, sourceFolder + stored, state.CDFolder + stored)) return false;
  }
  return true;
}

}  // namespace corvela
