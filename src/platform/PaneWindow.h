#pragma once
// The live child window of an AVI, HTML, RTF or Movie object, as portable code holds it; the
// platform layer implements it.

namespace corvela {

class PaneWindow {
 public:
  virtual ~PaneWindow() = default;
  // The pane shows what its file holds (a clip's frames, a document's text), so nothing needs to
  // stand in for it.
  virtual bool ShowsContent() const { return false; }
};

}  // namespace corvela
