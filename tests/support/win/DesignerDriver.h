#pragma once
// A designer process as the process-level tests drive it: its folder, its windows once it has
// started, and input to its dialogs as typing and choosing would give it.

#include <windows.h>

#include <optional>
#include <string>

#include "support/win/WinProcess.h"

namespace corvela::testing {

// Copies Corvela.exe and Default.ico into folder and makes cd; with remember, also a Corvela.ini
// there that opens cd, as the designer writes it.
void PrepareDesignerFolder(const TempFolder& folder, const std::string& cd, bool remember = true);

struct DesignerWindows {
  HWND Main = nullptr, Edit = nullptr, Toolbar = nullptr;
};

// Waits until the started designer's first showing names cd and its start message has run, then
// finds its windows. A fatal failure when one does not show: call it in ASSERT_NO_FATAL_FAILURE.
void WaitForDesigner(const ChildProcess& process, const std::string& cd, DesignerWindows& windows);

// Whether the designer has changes to save, told without changing anything: File > Open asks
// about them (the question is cancelled) or shows the folder browser (which is cancelled).
// Nothing when neither showed.
std::optional<bool> AsksAboutChanges(const ChildProcess& process, HWND main);
// Returns once the designer's start message has run (see the definition for how it is told).
void WaitForStartTick(const ChildProcess& process, HWND main);

// Sets an edit box of a dialog (text in UTF-8) and tells the dialog, as typing would.
void TypeInto(HWND dialog, int id, const std::string& text);
// Picks an entry of a combo box and tells the dialog, as choosing would.
void ChooseEntry(HWND dialog, int id, int entry);
// Presses OK and waits for the dialog to end.
void PressOk(HWND dialog, DWORD timeoutMs);

}  // namespace corvela::testing
