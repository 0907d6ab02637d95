#pragma once
// The running program: platform services, the process-wide state and the windows of the mode.

#include <memory>
#include <optional>
#include <string>

#include "platform/win/Handles.h"
#include "designer/win/PagePictures.h"
#include "platform/win/Win32CodePages.h"
#include "platform/win/Win32Colours.h"
#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Graphics.h"
#include "platform/win/Win32Services.h"
#include "project/win/Win32Text.h"
#include "platform/win/Win32Shell.h"
#include "platform/win/Win32Sound.h"
#include "project/AppState.h"

namespace corvela::win {

class MainForm;
class EditForm;
class AutoRunForm;
class GradientForm;
class PropertyDialogs;

class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Decides the mode from exeFileName and creates the windows of that mode in their order.
  bool Start(const std::string& exeFileName);
  // Runs the event loop until the main window closes; returns the exit code.
  int Run();

  AppState& State() { return state_; }
  MainForm* Main() { return main_.get(); }
  EditForm* Edit() { return edit_.get(); }
  AutoRunForm* Menu() { return menu_.get(); }
  // The designer's property dialogs, link editor and file input; null in the player.
  PropertyDialogs* Dialogs() { return dialogs_.get(); }

 private:
  // This thread's apartment: from the start in the designer, after the first paint in the player.
  std::optional<ComApartment> com_;
  Win32FileSystem files_;
  Win32Ui ui_;
  Win32Screen screen_;
  Win32Clock clock_;
  Win32FileChooser chooser_;
  Win32SystemColours colours_;
  Win32GraphicLoader graphics_;
  Win32TextMeasurer text_;
  Win32Shell shell_;
  Win32Sound sound_;
  Win32CodePages codes_;
  PagePictureWriter pictures_;
  Platform env_;
  AppState state_;
  std::unique_ptr<EditForm> edit_;
  std::unique_ptr<MainForm> main_;
  std::unique_ptr<AutoRunForm> menu_;
  std::unique_ptr<GradientForm> gradient_;
  std::unique_ptr<PropertyDialogs> dialogs_;
};

// The full path of the running executable.
std::string ExecutablePath();

}  // namespace corvela::win
