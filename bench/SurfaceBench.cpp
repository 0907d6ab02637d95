// Design-surface redraw per drag step with 200 mixed objects on a 1024 x 768 menu, against one
// full-size blit of the same area measured in the same run. Runs under Wine:
//   scripts/wine-session.sh wine build/windows/bench/surface_bench.exe
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/win/Application.h"
#include "app/win/MainForm.h"
#include "designer/win/EditForm.h"
#include "player/win/AutoRunForm.h"
#include "project/Resources.h"

#include "WinBenchClock.h"

namespace {

using bench::Seconds;
using bench::Pump;

}  // namespace

int main() {
  using namespace corvela;
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "corvela-surface-bench";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  ::CreateDirectoryA((folder + "\\cd").c_str(), nullptr);
  std::ofstream(folder + "\\Corvela.ini") << "DefaultPath=" << folder << "\\cd\r\n";

  win::Application app;
  if (!app.Start(folder + "\\Corvela.exe")) return 1;
  AppState& state = app.State();
  state.Project.Form.Width = 1024;
  state.Project.Form.Height = 768;
  state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::FromCenter);
  state.View->FormSettingsChanged();
  ApplyFormSettings(state);
  // A mixed menu: labels, buttons and images spread over the panel, a few panes on top.
  for (int i = 0; i < 200; ++i) {
    static const ObjectKind kinds[] = {ObjectKind::Label, ObjectKind::Button, ObjectKind::Image, ObjectKind::Label,
                                       ObjectKind::Button, ObjectKind::Rtf, ObjectKind::Movie, ObjectKind::Avi};
    auto obj = MakeNewObject(kinds[i % 8]);
    obj->Selected = false;
    obj->Base().Left = (i * 53) % 900;
    obj->Base().Top = (i * 37) % 700;
    state.Project.Objects.push_back(std::move(obj));
  }
  RenumberTags(state);
  ApplyAllObjectResources(state);
  win::EditForm& edit = *app.Edit();
  edit.FitToMenuWindow();
  Pump();

  // Drag the first object around in 5-pixel steps, repainting the window after each.
  const int steps = 200;
  DesignSurface& surface = edit.Surface();
  const ControlBase& first = state.Project.Objects[0]->Base();
  Point p{first.Left + 2, first.Top + 2};
  surface.MouseDown(MouseButton::Left, false, p, DesignTool::Select);
  double start = Seconds();
  for (int i = 0; i < steps; ++i) {
    p.X += (i / 50) % 2 ? -5 : 5;
    p.Y += 1;
    surface.MouseMove(p);
    ::UpdateWindow(edit.hwnd());
  }
  ::GdiFlush();
  const double dragStep = (Seconds() - start) / steps;
  surface.MouseUp(false, p);

  // The floor: one blit of the whole picture into the window.
  HDC screen = ::GetDC(edit.hwnd());
  HDC source = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(source, edit.Picture());
  start = Seconds();
  for (int i = 0; i < steps; ++i) ::BitBlt(screen, 0, 0, 1024, 768, source, 0, 0, SRCCOPY);
  ::GdiFlush();
  const double blit = (Seconds() - start) / steps;
  ::SelectObject(source, old);
  ::DeleteDC(source);
  ::ReleaseDC(edit.hwnd(), screen);

  std::printf("design surface, 200 objects on 1024x768\n");
  std::printf("  drag step (model, picture, marks, paint): %8.3f ms\n", dragStep * 1000);
  std::printf("  full-size blit (floor):                   %8.3f ms\n", blit * 1000);
  std::printf("  ratio drag step / blit:                   %8.1f\n", dragStep / blit);
  std::printf("  60 Hz frame budget used:                  %8.1f %%\n", dragStep * 1000 / (1000.0 / 60) * 100);
  state.Modified = false;
  app.Main()->ClosingAllowed = true;
  return 0;
}
