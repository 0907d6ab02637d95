#pragma once
// What the menu does when a link runs: shell verbs on files of the CD folder, URLs, mail
// addresses, sounds, and closing the menu.

#include <cstdint>
#include <string>

#include "project/AppState.h"

namespace corvela {

// The message for a failed shell call; "Operation Error" for every value without its own text.
std::string ShellErrorText(int result);

// Carries out one link. Failures are shown with ShowError; true only when the shell accepted
// the call or a sound was started.
bool RunLink(AppState& state, LinkAction action, const std::string& target, const std::string& parameters,
             const std::string& startDirectory, int32_t showCommand);
bool RunLink(AppState& state, const ObjectLink& link);

// Stops the sound that plays and starts the one at path, without waiting. A missing file is
// reported; a file that no device opens fails silently.
bool PlaySoundFile(AppState& state, const std::string& path);

// A click on a label, button or image: runs the link of the object whose index is tag.
// Panes and unknown tags do nothing.
void ObjectClick(AppState& state, int32_t tag);

// The end of the player's start: the start sound, then the start link. Neither waits.
void PlayStartSoundAndLink(AppState& state);

}  // namespace corvela
