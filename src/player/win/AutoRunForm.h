#pragma once
// TAutoRunForm: the menu window the end user of a disc sees. In the designer it exists hidden
// and holds the live object panes.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/DpiScale.h"
#include "platform/win/Handles.h"
#include "platform/win/Window.h"
#include "player/win/HtmlPane.h"
#include "player/win/MenuAccessibility.h"
#include "player/win/MenuKeyboard.h"
#include "player/win/MenuPanels.h"
#include "player/win/Panes.h"
#include "project/AppState.h"

namespace corvela::win {

class GradientForm;

class AutoRunForm : public Window, public MenuView {
 public:
  explicit AutoRunForm(AppState& state) : state_(state) {}
  // The panes live on the inner panel: the objects give them up before the window goes.
  ~AutoRunForm() override;
  // FormCreate: the window starts hidden and with no area; the start sequence is posted.
  bool Create();

  // The hidden renderer PaintBackground draws on; without one each picture gets a renderer of its own.
  void SetGradientForm(GradientForm* form) { gradient_ = form; }

  // Runs once the player's first complete paint is on screen, before the panes, the start sound
  // and the start link.
  std::function<void()> OnFirstPaint;

  // The resolution the menu is drawn at: in a player the monitor's, lowered where the window would
  // not fit the monitor's work area; the design one in the designer.
  const DpiScale& Scale() const { return scale_; }
  // Draws the menu for a monitor of dpi from now on and lays it out again (a change of monitor
  // does this).
  void SetDpi(int dpi);

  HWND OuterPanel() const { return panel_.hwnd(); }
  HWND InnerPanel() const { return panel1_.hwnd(); }
  MenuKeyboard& Keyboard() { return keyboard_; }
  MenuAccessibility& Accessibility() { return accessibility_; }
  // The object's pane, created on the inner panel if it has none yet; null for painted kinds.
  Pane* PaneOf(MenuObject& obj);

  // MenuView
  void FormSettingsChanged() override;
  void PaintBackground() override;
  bool LoadWindowIcon(const std::string& path) override;
  void UseApplicationIcon() override;
  void PlayAvi(MenuObject& obj, const std::string& path) override;
  void NavigateHtml(MenuObject& obj, const std::string& url) override;
  void LoadRtf(MenuObject& obj, const std::string& path) override;
  void WireObjects() override;
  // Closing the player's window ends the program; the designer's hidden one is never closed.
  void CloseMenu() override;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // The start sequence: in the player, loads the project and shows the window with its first
  // complete paint.
  void Timer1Timer();
  // Panes and their contents, the start sound and the start link wait for the first paint.
  void AfterFirstPaint();
  // Plays, navigates or loads the object's pane, or keeps the request for after the first paint.
  void ShowContent(MenuObject& obj, const std::string& path);
  // A high-contrast theme is on and the menu runs as the player: the theme's colours are used.
  bool ThemeColours() const;
  // The theme came or went: the panes that show the document's own colours follow.
  void ThemeChanged();
  // The loaded icons, or the class's; not before the first paint.
  void ShowIcons();
  void SendIcons(HICON large, HICON smallFrame);
  void FormResize();
  // Places both panels; true when the inner panel's size changed.
  bool LayoutPanels();
  void ApplyTransparency();
  void ApplyWindowState();
  // The window's client area outside the outer panel (its BorderWidth margin).
  void PaintForm(HDC dc, const RECT& client);
  // Takes what the outer panel covers out of the window's own update region: nothing the window
  // paints shows there, and a paint of the top-level window costs the start several milliseconds
  // even when it draws nothing.
  void ValidateCoveredArea();
  UniqueBitmap RenderBackground(int32_t width, int32_t height);
  // The player's first background picture is made on the picture thread while the window shows;
  // the first paint takes it if the panel's size and the colours are still the same.
  void PrerenderBackground();
  UniqueBitmap TakePrerendered(int32_t width, int32_t height);

  // The window moved to a monitor of another resolution: it goes where Windows suggests, at the
  // size that fits that monitor.
  void DpiChanged(int dpi, const RECT& suggested);
  // Lays the panels out, paints the background and places the objects again at the scale.
  void Rescale(const DpiScale& scale);

  AppState& state_;
  // The resolution of the window's monitor, and the one the menu is drawn at.
  int monitorDpi_ = kDesignDpi;
  DpiScale scale_;
  OuterPanelWindow panel_{state_.Project, scale_};
  InnerPanelWindow panel1_{state_, scale_,
                           [this](int32_t width, int32_t height) { return RenderBackground(width, height); }};
  MenuKeyboard keyboard_{state_, scale_, panel1_};
  MenuAccessibility accessibility_{state_, scale_, panel1_, keyboard_};
  bool suppressResize_ = false;
  UniqueIcon icon_;
  UniqueIcon smallIcon_;
  GradientForm* gradient_ = nullptr;
  // The player's start has begun and its first paint is not yet on screen: no pane exists yet,
  // and what each pane is to show waits here, in list order.
  bool beforeFirstPaint_ = false;
  // The project named a window icon before the first paint; it is loaded after it.
  bool iconPending_ = false;
  std::vector<std::pair<MenuObject*, std::string>> pendingContents_;
  struct Prerendered {
    MenuProject Project;  // its background colours and style alone
    int32_t Width = 0, Height = 0;
    UniqueBitmap Picture;
    // The captions of labels and buttons in their fonts, drawn once to warm the font cache.
    int Dpi = 96;
    std::vector<std::pair<FontRecord, std::string>> Texts;
  };
  std::shared_ptr<Prerendered> prerendered_;
};

}  // namespace corvela::win
