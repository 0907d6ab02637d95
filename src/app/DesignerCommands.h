#pragma once
// What the designer's main window does with the project's life cycle: opening CD folders,
// saving, testing, the disc icon and the close question. The window binds these to its menu
// and toolbar; everything it needs from the screen comes through DesignerShell.

#include <optional>
#include <string>

#include "project/AppState.h"

namespace corvela {

class DesignerShell {
 public:
  virtual ~DesignerShell() = default;
  // The shell's folder browser; nothing when the user cancels.
  virtual std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& preselected) = 0;
  // Makes the design surface match the menu window after a project was loaded or made
  // (frame, icon, transparency, bounds, panel border, picture).
  virtual void FitDesignSurface() = 0;
  virtual void SetMainCaption(const std::string& caption) = 0;
  virtual void UpdateCDIconButton() = 0;
  // Starts the program at path, shown normally, with workingFolder as its current folder;
  // failures are not reported.
  virtual void StartProgram(const std::string& path, const std::string& workingFolder) = 0;
  // Save and Test checks the published disc first; false when the user chose not to test it.
  virtual bool CheckBeforeTest() { return true; }
};

// "Corvela - <folder>", or the base caption alone without a folder.
std::string MainCaption(const std::string& baseCaption, const std::string& cdFolder);

// Asks "Save Changes to file?" when there are unsaved changes in a CD folder. True when the
// operation may go on (No, Yes with a successful save, or nothing to ask).
bool AskAboutUnsavedChanges(AppState& state);

// Loads the project at path, or starts a new one when there is no file, and fits the surface.
// A file that cannot be read also leaves a new project, and ProjectUnreadable set.
void LoadProjectIntoDesigner(AppState& state, DesignerShell& shell, const std::string& path,
                             const std::string& baseCaption);

// File > Open: asks about changes, then the folder browser. True when a folder was opened.
bool OpenCommand(AppState& state, DesignerShell& shell, const std::string& baseCaption);
// File > Save. True when the folder was published.
bool SaveCommand(AppState& state);
// File > Save and Test: saves, then starts the published player whatever the save did, unless
// the user chose to keep a project file that could not be read, or the disc check found errors
// and the user stopped there.
void SaveAndTestCommand(AppState& state, DesignerShell& shell);
// The close question; true when the designer may close.
bool CloseQuery(AppState& state);
class History;
// File > Publish a Start Page: switches the option, one step of the history.
void StartPageCommand(AppState& state, History& history);
// Edit > Select CD Icon: copies a chosen .ico over the CD folder's AutoRun.ico.
void SelectCDIconCommand(AppState& state, DesignerShell& shell);

// The first showing: opens the CD folder known at start-up or asks for one. False when the
// user chose no folder and the designer must close.
bool FirstShow(AppState& state, DesignerShell& shell, const std::string& baseCaption);

inline constexpr const char* kSelectFolderTitle = "Select the folder for CD files";
inline constexpr const char* kReplaceUnreadableQuestion =
    "AutoRun.mnx in this folder could not be read. Replace it with the menu on screen?";

}  // namespace corvela
