#pragma once
// The pane of HTML objects.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/DpiScale.h"
#include "player/win/Panes.h"

namespace corvela::win {

class BrowserHost;

// The web browser control, in-place active in a plain child window.
class HtmlPane : public Pane {
 public:
  HtmlPane(HWND parent, const ControlBase& bounds);
  ~HtmlPane() override;
  HWND Handle() const override;
  ObjectKind Kind() const override { return ObjectKind::Html; }
  void Place(const ControlBase& bounds) override;
  // Starts navigating to a web address or a local file's path and returns at once; how it ends
  // (a page, an error page) is the browser's.
  bool Navigate(const std::string& url);
  // Zooms pages by the menu's scale: the browser lays them out one screen pixel per page pixel.
  void Rescale(const DpiScale& scale) override;
  // True when the browser control was created and activated.
  bool HasBrowser() const;
  // The address the browser shows or is on its way to; empty without a browser or an address.
  std::string Location() const;

 private:
  void ApplyZoom();

  // Before the host, which may call back as soon as it exists.
  int zoomPercent_ = 100;
  bool zoomed_ = false;
  std::unique_ptr<BrowserHost> host_;
};

}  // namespace corvela::win
