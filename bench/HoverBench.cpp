// Hover in the running menu: one change of the hot object (the old and the new one repainted) on a
// 1024 x 768 inner panel with 200 objects over four large stretched pictures, against one full
// repaint of the panel measured in the same run. Runs under Wine:
//   scripts/wine-session.sh wine build/windows/bench/hover_bench.exe
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/win/Application.h"
#include "app/win/MainForm.h"
#include "player/win/AutoRunForm.h"
#include "project/Resources.h"

#include "WinBenchClock.h"

namespace {

using bench::Seconds;
using bench::Pump;

void Put(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 24-bit bitmap file of width x height in a pattern, so that stretching has work to do.
void WriteBmp(const std::string& path, int width, int height, int seed) {
  const int stride = (width * 3 + 3) & ~3;
  std::string file = "BM";
  Put(file, 54 + stride * height, 4);
  Put(file, 0, 4);
  Put(file, 54, 4);
  Put(file, 40, 4);
  Put(file, static_cast<uint32_t>(width), 4);
  Put(file, static_cast<uint32_t>(height), 4);
  Put(file, 1, 2);
  Put(file, 24, 2);
  Put(file, 0, 4);
  Put(file, static_cast<uint32_t>(stride * height), 4);
  Put(file, 2835, 4);
  Put(file, 2835, 4);
  Put(file, 0, 4);
  Put(file, 0, 4);
  for (int y = 0; y < height; ++y) {
    std::string row(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
      row[static_cast<size_t>(x * 3)] = static_cast<char>((x + seed * 40) & 0xFF);
      row[static_cast<size_t>(x * 3 + 1)] = static_cast<char>((y * 2) & 0xFF);
      row[static_cast<size_t>(x * 3 + 2)] = static_cast<char>(((x ^ y) + seed * 70) & 0xFF);
    }
    file += row;
  }
  std::ofstream(path, std::ios::binary) << file;
}

}  // namespace

int main() {
  using namespace corvela;
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "corvela-hover-bench";
  const std::string cd = folder + "\\cd";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  ::CreateDirectoryA(cd.c_str(), nullptr);
  std::ofstream(folder + "\\Corvela.ini") << "DefaultPath=" << cd << "\r\n";
  for (int i = 0; i < 4; ++i) WriteBmp(cd + "\\big" + std::to_string(i) + ".bmp", 1600, 1200, i);

  // The designer's application gives the menu window its real services; the menu then runs as
  // the player's, without a project file.
  win::Application app;
  if (!app.Start(folder + "\\Corvela.exe")) return 1;
  ::ShowWindow(app.Main()->hwnd(), SW_HIDE);
  Pump();
  AppState& state = app.State();
  state.CDFolder = cd;
  state.Project.Form.Left = state.Project.Form.Top = 0;
  state.Project.Form.Width = 1024;
  state.Project.Form.Height = 768;
  state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::FromCenter);

  // Four pictures, each 1600 x 1200 reduced into a quarter of the panel, under 200 labels and
  // flat buttons whose font changes under the mouse.
  for (int i = 0; i < 4; ++i) {
    auto image = MakeNewObject(ObjectKind::Image);
    image->Base().Left = (i % 2) * 512;
    image->Base().Top = (i / 2) * 384;
    image->Base().Width = 512;
    image->Base().Height = 384;
    image->AsImage()->Stretch = true;
    image->AsImage()->AutoSize = false;
    image->FileName = "\\big" + std::to_string(i) + ".bmp";
    state.Project.Objects.push_back(std::move(image));
  }
  for (int i = 0; i < 200; ++i) {
    auto obj = MakeNewObject(i % 2 ? ObjectKind::Button : ObjectKind::Label);
    ControlBase& base = obj->Base();
    base.Left = 8 + (i % 10) * 100;
    base.Top = 8 + (i / 10) * 37;
    base.Width = 92;
    base.Height = 30;
    if (LabelControl* label = obj->AsLabel()) {
      label->AutoSize = false;
      label->Caption = "Label " + std::to_string(i);
      label->Transparent = true;
      obj->HotTrackFont = label->Font;
    } else if (ButtonControl* button = obj->AsButton()) {
      button->Caption = "Button " + std::to_string(i);
      button->Flat = true;
      button->Transparent = true;
      obj->HotTrackFont = button->Font;
    }
    obj->HotTrackFont.Style = fsBold;
    obj->HotTrackFont.Color = 0x0000FF;
    obj->Selected = false;
    state.Project.Objects.push_back(std::move(obj));
  }
  RenumberTags(state);
  state.View->FormSettingsChanged();
  ApplyAllObjectResources(state);
  ApplyFormSettings(state);
  state.DesignerMode = false;
  HWND window = app.Menu()->hwnd();
  HWND panel = app.Menu()->InnerPanel();
  ::ShowWindow(window, SW_SHOWNA);
  ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();

  const int rounds = 100;
  // Back and forth between two buttons in the middle: each move makes one cold and the other hot,
  // and the panel repaints before the move returns.
  const LPARAM at[2] = {MAKELPARAM(8 + 4 * 100 + 40, 8 + 9 * 37 + 15), MAKELPARAM(8 + 5 * 100 + 40, 8 + 10 * 37 + 15)};
  for (int i = 0; i < 4; ++i) ::SendMessageA(panel, WM_MOUSEMOVE, 0, at[i % 2]);
  ::GdiFlush();
  double start = Seconds();
  for (int i = 0; i < rounds; ++i) ::SendMessageA(panel, WM_MOUSEMOVE, 0, at[i % 2]);
  ::GdiFlush();
  const double hover = (Seconds() - start) / rounds;

  // The whole panel invalidated and repainted at once.
  start = Seconds();
  for (int i = 0; i < rounds / 4; ++i) ::RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ::GdiFlush();
  const double full = (Seconds() - start) / (rounds / 4);

  std::printf("menu hover, 200 objects over 4 stretched 1600x1200 pictures on 1024x768\n");
  std::printf("  one hover change (old and new hot object): %8.3f ms\n", hover * 1000);
  std::printf("  full panel repaint (floor):                %8.3f ms\n", full * 1000);
  std::printf("  ratio hover / full repaint:                %8.1f %%   goal <= 10 %%\n", hover / full * 100);
  state.DesignerMode = true;
  state.Modified = false;
  app.Main()->ClosingAllowed = true;
  return 0;
}
