// The one entry point of both the designer and the player; the exe's own name decides.

#include <windows.h>

#include <cstdlib>
#include <exception>

#include "app/win/Application.h"
#include "platform/win/WideText.h"

// libstdc++'s handler prints the escaping exception's demangled type to a console a window
// program does not have, and its demangler alone is some 45 KB of the exe: ours ends the program
// as the handler does after printing.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

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
