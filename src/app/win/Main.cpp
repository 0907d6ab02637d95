// The one entry point of both the designer and the player; the exe's own name decides.

#include <windows.h>

#include <exception>

#include "app/win/Application.h"
#include "platform/win/WideText.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    corvela::win::Application app;
    if (!app.Start(corvela::win::ExecutablePath())) return 1;
    return app.Run();
  } catch (const std::exception& e) {
    ::MessageBoxW(nullptr, corvela::win::Wide(e.what()).c_str(), L"Error", MB_OK | MB_ICONERROR);
    return 1;
  }
}
