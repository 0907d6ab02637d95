#pragma once
// What the model asks of the live menu window; the player window implements it.

#include <string>

#include "project/Model.h"

namespace corvela {

// A model without a window (tests, the mnx tool) has none, and these calls are skipped.
class MenuView {
 public:
  virtual ~MenuView() = default;
  // The window re-reads FormSettings and PanelSettings: frame, caption, size, transparency, bevels.
  virtual void FormSettingsChanged() = 0;
  // Rebuilds the background picture from BackColor, GradientColor and GradientStyle.
  virtual void PaintBackground() = 0;
  // Loads the window icon from an .ico file; false when it cannot be loaded.
  virtual bool LoadWindowIcon(const std::string& path) = 0;
  // The application's own icon becomes the window icon.
  virtual void UseApplicationIcon() = 0;
  // The panes of windowed objects: open and play a clip, navigate, load a document.
  // Failures are the control's business and are ignored.
  virtual void PlayAvi(MenuObject& obj, const std::string& path) = 0;
  virtual void NavigateHtml(MenuObject& obj, const std::string& url) = 0;
  virtual void LoadRtf(MenuObject& obj, const std::string& path) = 0;
  // Gives every object's control its place on the inner panel in list order and attaches the
  // player's mouse handlers to labels, buttons and images.
  virtual void WireObjects() = 0;
  // Closes the menu window (the "Exit AutoRun" link); in the player this ends the program.
  virtual void CloseMenu() = 0;
};

}  // namespace corvela
