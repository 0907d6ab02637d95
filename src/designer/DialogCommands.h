#pragma once
// The design surface's commands that open dialogs: Form Properties, Start Link, Object
// Properties and Object Link. They decide which dialog edits which record and what happens after
// a confirmed change; the dialogs and the surface window are reached through the interfaces below.

#include <cstdint>
#include <optional>
#include <string>

#include "dialogs/DialogOpener.h"
#include "platform/Geometry.h"
#include "project/AppState.h"

namespace corvela {

// What the commands need of the design surface window (TEditForm).
class DesignWindow {
 public:
  virtual ~DesignWindow() = default;
  // The client size of the (hidden) menu window.
  virtual Size MenuClientSize() = 0;
  // Takes the menu window's icon, border style, transparent colour value and transparent-colour
  // switch; of the border icons only the system menu, as always.
  virtual void CopyMenuWindowLook() = 0;
  // Gives the design surface this client size, whatever its new frame.
  virtual void SetClientSize(Size size) = 0;
  // The menu window's outer panel's bevel inner, bevel outer, bevel width, border width and border
  // style onto the surface's Panel1.
  virtual void CopyPanelBorder() = 0;
  // The surface's resize handler: the menu window takes the surface's bounds, then a refresh.
  virtual void RunResizeHandler() = 0;
  virtual void RefreshSurface() = 0;
};

// How the file input is opened for the file of an AVI, HTML or RTF pane; nothing for other kinds.
struct FileInputRequest {
  bool AllowUrl = false;
  const char* Filter = "";
};
std::optional<FileInputRequest> FileInputRequestFor(ObjectKind kind);

inline constexpr const char* kNoLinkMessage = "AVI, HTML or RTF do not support link.";


// What a Form Properties call changed.
enum class FormEdit : uint8_t { Nothing, Settings, SizeOnly };
// Opens Form Properties; after a confirmed change the menu window takes the new settings, the
// surface copies its look and keeps the editing area's size (or gives the inner area the size
// typed in), and the project is modified.
FormEdit EditFormProperties(AppState& state, DialogOpener& dialogs, DesignWindow& window);
// Opens the link editor on the start link; a confirmed change only marks the project modified.
void EditStartLink(AppState& state, DialogOpener& dialogs);
// Opens the dialog of the single selected object's kind; after a confirmed change its resources
// are applied again, the project is modified and the surface refreshed. Movie has no dialog.
void EditObjectProperties(AppState& state, DialogOpener& dialogs, DesignWindow& window);
// Opens the link editor on the single selected label, button or image; the other kinds have no
// link and say so.
void EditObjectLink(AppState& state, DialogOpener& dialogs);

// Carries out the command when it is one of the four above (by menu, popup or shortcut); false
// for any other command.
bool RunDialogCommand(unsigned id, AppState& state, DialogOpener& dialogs, DesignWindow& window);

}  // namespace corvela
