#pragma once
// TAutoRunForm: the menu window the end user of a disc sees. In the designer it exists hidden
// and holds the live object panes.

#include <windows.h>

#include "platform/win/Handles.h"
#include "platform/win/Window.h"
#include "project/Model.h"

namespace corvela::win {

class AutoRunForm : public Window, public MenuView {
 public:
  explicit AutoRunForm(AppState& state) : state_(state) {}
  // FormCreate: the window starts with no area; Timer1 fires once 10 ms later.
  bool Create();

  HWND OuterPanel() const { return panel_.hwnd(); }
  HWND InnerPanel() const { return panel1_.hwnd(); }

  // MenuView
  void FormSettingsChanged() override;
  void PaintBackground() override;
  bool LoadWindowIcon(const std::string& path) override;
  void UseApplicationIcon() override;
  void PlayAvi(MenuObject& obj, const std::string& path) override;
  void NavigateHtml(MenuObject& obj, const std::string& url) override;
  void LoadRtf(MenuObject& obj, const std::string& path) override;
  void WireObjects() override;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  class PanelWindow : public Window {
   public:
    PanelWindow(AutoRunForm& form, bool inner) : form_(form), inner_(inner) {}
    bool Create(HWND parent);

   protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    AutoRunForm& form_;
    bool inner_;
  };

  void Timer1Timer();
  void FormResize();
  void LayoutPanels();
  void PaintInner(HDC dc, const RECT& client);

  AppState& state_;
  PanelWindow panel_{*this, false};
  PanelWindow panel1_{*this, true};
  bool suppressResize_ = false;
  UniqueIcon icon_;
};

}  // namespace corvela::win
