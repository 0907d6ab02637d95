// The one entry point of both the designer and the player; the exe's own name decides.

#include <windows.h>

#include <exception>

#include "app/win/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    corvela::win::Application app;
    if (!app.Start(corvela::win::ExecutablePath())) return 1;
    return app.Run();
  } catch (const std::exception& e) {
    ::MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONERROR);
    return 1;
  }
}
