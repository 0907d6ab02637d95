#pragma once
// The live child window of an AVI, HTML, RTF or Movie object, as portable code holds it; the
// platform layer implements it.

namespace corvela {

class PaneWindow {
 public:
  virtual ~PaneWindow() = default;
};

}  // namespace corvela
