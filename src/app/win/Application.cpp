#include "app/win/Application.h"

#include <commctrl.h>

#include <vector>

#include "app/Startup.h"
#include "app/win/MainForm.h"
#include "designer/win/EditForm.h"
#include "platform/win/Dpi.h"
#include "dialogs/win/PropertyDialogs.h"
#include "player/PlayerStart.h"
#include "player/win/AutoRunForm.h"
#include "player/win/GradientForm.h"
#include "platform/win/WideText.h"

namespace corvela::win {

Application::Application() : env_(), state_(env_) {
  env_.Files = &files_;
  env_.Ui = &ui_;
  env_.Display = &screen_;
  env_.Ticks = &clock_;
  env_.Chooser = &chooser_;
  env_.Colours = &colours_;
  env_.Graphics = &graphics_;
  env_.Text = &text_;
  env_.Launcher = &shell_;
  env_.Sound = &sound_;
  env_.Codes = &codes_;
  env_.Pictures = &pictures_;
}

Application::~Application() {
  state_.View = nullptr;
  if (menu_) menu_->SetGradientForm(nullptr);
  // The model's objects own panes that live on the menu window: free them first.
  state_.Project.Objects.clear();
}

std::string ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) return Utf8(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

bool Application::Start(const std::string& exeFileName) {
  DecideStartup(state_, exeFileName);
  // The player's one common control, the animation, registers its class when a pane needs it,
  // so the player's first paint waits for no common-controls DLL.
  if (state_.DesignerMode) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
  } else {
    // The player draws at the monitor's resolution; the designer works in design pixels and lets
    // Windows scale it.
    DeclarePerMonitorDpiAwareness();
  }
  if (state_.DesignerMode) {
    // The player's first paint needs no COM on this thread, and entering it first meets the
    // window system at a higher cost than a window does: the player enters it after that paint.
    com_.emplace();
    ui_.Title = "Corvela";
    edit_ = std::make_unique<EditForm>(state_);
    dialogs_ = std::make_unique<PropertyDialogs>(state_);
    main_ = std::make_unique<MainForm>(state_, *edit_);
    if (!main_->Create()) return false;
    if (!edit_->Create()) return false;
  }
  menu_ = std::make_unique<AutoRunForm>(state_);
  if (!state_.DesignerMode) {
    // The menu's pictures decode on a second thread while its window is made. Not earlier:
    // started while the window system was starting up, the two only slowed each other down.
    graphics_.Prefetch(PlayerPictureRequests(state_));
    menu_->OnFirstPaint = [this] { com_.emplace(); };
  }
  if (!menu_->Create()) return false;
  gradient_ = std::make_unique<GradientForm>();
  // The player renders on the off-screen surface alone: a hidden top-level window would cost its
  // start a window of the window system's for nothing it ever shows.
  if (state_.DesignerMode) {
    RECT inner{};
    ::GetClientRect(menu_->InnerPanel(), &inner);
    if (!gradient_->Create(inner.right, inner.bottom)) return false;
  }
  menu_->SetGradientForm(gradient_.get());
  state_.Project.BackColor = kClSilver;
  state_.View = menu_.get();
  if (state_.DesignerMode) {
    ui_.Owner = main_->hwnd();
    chooser_.Owner = main_->hwnd();
    shell_.Owner = main_->hwnd();
    edit_->SetToolPalette(main_.get());
    edit_->SetMenuWindow(menu_.get());
    edit_->SetCommandTarget(main_->hwnd());
    edit_->SetDialogs(dialogs_.get());
    ::ShowWindow(main_->hwnd(), SW_SHOW);
    main_->FormShow();
  } else {
    ui_.Owner = menu_->hwnd();
    shell_.Owner = menu_->hwnd();
    // The menu window shows itself once its project is applied.
  }
  return true;
}

int Application::Run() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (main_ && main_->TranslateShortcut(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    if (main_) main_->ShowModifiedMark();
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace corvela::win
