#pragma once
// The child windows of AVI, HTML, RTF and Movie objects. Each object owns its pane through
// MenuObject::Pane; freeing the object destroys the window and releases what it holds.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/DpiScale.h"
#include "platform/win/Handles.h"
#include "project/Model.h"

namespace corvela::win {

class Pane : public PaneWindow {
 public:
  virtual HWND Handle() const = 0;
  virtual ObjectKind Kind() const = 0;
  // Moves the pane to the control's bounds, relative to the inner panel.
  virtual void Place(const ControlBase& bounds);
  // The menu is drawn at scale: what the pane draws itself (a frame, text, a page) follows it.
  virtual void Rescale(const DpiScale&) {}
};

class ClipView;

// At the design resolution, a SysAnimate32 control that plays its clip on the GUI thread's timer,
// at the clip's own size. The control has no way to stretch its frames, so above that resolution
// a window of the pane's own takes its place and draws the frames at the menu's scale.
class AviPane : public Pane {
 public:
  AviPane(HWND parent, const ControlBase& bounds);
  ~AviPane() override;
  HWND Handle() const override;
  ObjectKind Kind() const override { return ObjectKind::Avi; }
  // Opens the clip and plays it in a loop; a missing or unreadable clip leaves the pane empty.
  bool Play(const std::string& path);
  bool ShowsContent() const override { return playing_; }
  // Switches between the control and the scaling window as the resolution asks; the clip goes
  // on playing in whichever shows.
  void Rescale(const DpiScale& scale) override;
  // The scaling window takes the control's place at every resolution: it prints its frame
  // whenever asked, which the control does not always do.
  void DrawFramesItself();

 private:
  bool PlayInControl();

  UniqueWindow control_;
  std::unique_ptr<ClipView> view_;
  std::string path_;
  bool playing_ = false;
  bool ownView_ = false;
};

// A read-only rich edit control with a vertical scroll bar and no tab stop.
class RtfPane : public Pane {
 public:
  RtfPane(HWND parent, const ControlBase& bounds);
  HWND Handle() const override { return window_.get(); }
  ObjectKind Kind() const override { return ObjectKind::Rtf; }
  // Replaces the text with the rich-text document; false when the file cannot be read, and the
  // text stays as it was.
  bool Load(const std::string& path);
  bool ShowsContent() const override { return loaded_; }
  // Zooms the text from the resolution the control draws at to the menu's.
  void Rescale(const DpiScale& scale) override;
  // Under a high-contrast theme the document's own colours give way to the theme's text and window
  // colours; when the theme goes, the document is read again for its own.
  void UseThemeColours(bool themed);

 private:
  void ApplyZoom();
  void ApplyThemeColours();

  std::string path_;
  bool themed_ = false;

  UniqueWindow window_;
  // EM_SETZOOM's ratio, 0 / 0 for none.
  int zoomNumerator_ = 0, zoomDenominator_ = 0;
  bool zoomed_ = false;
  // A document has been read in (a failed load keeps the text before it).
  bool loaded_ = false;
};

class PlainSurface;

// An empty raised panel: a placeholder that nothing plays in.
class MoviePane : public Pane {
 public:
  MoviePane(HWND parent, const ControlBase& bounds);
  ~MoviePane() override;
  HWND Handle() const override;
  ObjectKind Kind() const override { return ObjectKind::Movie; }
  void Rescale(const DpiScale& scale) override;

 private:
  std::unique_ptr<PlainSurface> surface_;
};

// A new pane of the object's kind as a child of parent, or null for kinds that have no window.
std::unique_ptr<Pane> CreatePane(ObjectKind kind, HWND parent, const ControlBase& bounds);

}  // namespace corvela::win
