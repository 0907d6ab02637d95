#pragma once
// What the designer's main window does with the project's life cycle: opening CD folders,
// saving, testing, the disc icon and the close question. The window binds these to its menu
// and toolbar; everything it needs from the screen comes through DesignerShell.

#include <optional>
#include <string>
#include <vector>

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
  // Check Disc's list for the menu on screen.
  virtual void ShowCheckDisc() {}
};

// "Corvela - <folder>", or the base caption alone without a folder; "*" after the folder while
// the menu has changes to save.
std::string MainCaption(const std::string& baseCaption, const std::string& cdFolder, bool modified = false);

// Asks "Save Changes to file?" when there are unsaved changes in a CD folder. True when the
// operation may go on (No, Yes with a successful save, or nothing to ask).
bool AskAboutUnsavedChanges(AppState& state);

// Loads the project at path, or starts a new one when there is no file, and fits the surface.
// A file that cannot be read also leaves a new project, and ProjectUnreadable set; a damaged one
// may be rescued (ProjectRescued). Files the objects name that are missing are listed in one
// question, whose Yes opens Check Disc.
void LoadProjectIntoDesigner(AppState& state, DesignerShell& shell, const std::string& path,
                             const std::string& baseCaption);

// The one message about files missing after a load: each path with its object, at most
// kMissingListLength of them, and the offer of Check Disc.
std::string MissingFilesMessage(const std::vector<MissingFile>& missing);
inline constexpr size_t kMissingListLength = 12;

// File > Open: asks about changes, then the folder browser. True when a folder was opened.
bool OpenCommand(AppState& state, DesignerShell& shell, const std::string& baseCaption);
// File > Save. True when the folder was published.
bool SaveCommand(AppState& state);
// File > Save As...: the folder browser, then the CD folder's files copied there (asking before a
// file holding other bytes or a project of that folder is replaced), the menu published there, and
// that folder the CD folder from then on; a CD folder that is gone gives the menu alone. True when
// the designer works on the new folder.
bool SaveAsCommand(AppState& state, DesignerShell& shell, const std::string& baseCaption);
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
// Asked before a save when the menu names a file or folder whose name a disc cuts or refuses:
// the first line, the paths one a line, then the question.
inline constexpr const char* kRefusedNamesText =
    "A disc cannot keep these names: it cuts a name longer than 64 characters and refuses the "
    "characters * / : ; ? \\ < > \" |.";
inline constexpr const char* kRefusedNamesQuestion = "Rename them and choose them again in the menu. Save anyway?";
inline constexpr const char* kSaveAsFolderTitle = "Select the folder to save the CD files in";
inline constexpr const char* kReplaceUnreadableQuestion =
    "AutoRun.mnx in this folder could not be read. Replace it with the menu on screen?";

}  // namespace corvela
