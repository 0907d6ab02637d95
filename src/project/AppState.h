#pragma once
// The process-wide state of a run: made once at start-up and handed by reference to whoever
// needs it, so each test can make a fresh one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "project/MenuView.h"
#include "project/Model.h"

namespace corvela {

// A file an object names that is not there, and the object ("Name #3", or its kind for a nameless one).
struct MissingFile {
  std::string Path;
  std::string Object;
  bool operator==(const MissingFile& other) const { return Path == other.Path && Object == other.Object; }
};

struct AppState {
  explicit AppState(Platform& platform) : Env(platform) {}
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  Platform& Env;
  MenuView* View = nullptr;

  std::string CDFolder;
  bool Modified = false;
  bool DesignerMode = true;
  std::string ExeFileName;
  std::string ProjectFileName;
  std::string AppFolder;
  int32_t ReservedWord = 0;
  MenuProject Project;
  // The CD folder's AutoRun.mnx could not be read when the folder was opened: the designer holds
  // a new project, and saving over that file needs the user's word first.
  bool ProjectUnreadable = false;
  // The designer holds what could be read of that file before its damage: the menu on screen
  // differs from the file from the start, and stays modified until it is saved.
  bool ProjectRescued = false;
  // The project's content when it last matched the project file (see ProjectContent), or nothing
  // when the model has never matched a file of this folder: an undo that comes back to it is no
  // change to save.
  std::optional<std::string> SavedContent;
  // While set, a missing file is reported only the first time it is met (the player applies
  // resources twice at start and should not show each message twice).
  bool ReportMissingOnce = false;
  // The folder (a stored path, empty for the CD folder itself) that the last file copied in from
  // outside went to: the next copy is offered the same place.
  std::string LastCopyFolder;
  std::vector<std::string> ReportedMissing;
  // While set, missing files are collected here rather than reported one box each: the designer
  // lists them all at once after a load.
  std::vector<MissingFile>* CollectMissing = nullptr;
};

// Operations on the model of the running application.
void NewProject(AppState& state);
void ClearObjects(AppState& state);
void RemoveObject(AppState& state, const MenuObject* obj);
void RenumberTags(AppState& state);
int IndexOf(const AppState& state, const MenuObject* obj);
// Left and Top so that the window is centred on the screen.
void CentreWindowOnScreen(AppState& state);

}  // namespace corvela
