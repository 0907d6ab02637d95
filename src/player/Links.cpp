#include "player/Links.h"

#include <exception>

#include "platform/Platform.h"

namespace corvela {

namespace {

struct ShellError {
  int Result;
  const char* Text;
};

constexpr ShellError kShellErrors[] = {
    {0, "The operating system is out of memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied access to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred."},
    {27, "The filename association is incomplete or invalid."},
    {28, "The DDE transaction could not be completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not be completed because other DDE transactions were being processed."},
    {31, "There is no application associated with the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

constexpr int kShellSuccessAbove = 32;

bool ShellCall(AppState& state, const char* verb, const std::string& file, const std::string& parameters,
               const std::string& directory, int32_t show) {
  const int result = state.Env.Launcher->Execute(verb, file, parameters.c_str(), directory.c_str(), show);
  if (result > kShellSuccessAbove) return true;
  ShowError(state.Env, ShellErrorText(result));
  return false;
}

}  // namespace

std::string ShellErrorText(int result) {
  for (const ShellError& e : kShellErrors)
    if (e.Result == result) return e.Text;
  return "Operation Error";
}

bool RunLink(AppState& state, LinkAction action, const std::string& target, const std::string& parameters,
             const std::string& startDirectory, int32_t showCommand) {
  const std::string& cd = state.CDFolder;
  // Stored targets and directories begin with a backslash, so the joins are plain concatenations.
  switch (action) {
    case LinkAction::None:
      return false;
    case LinkAction::OpenFile:
      return ShellCall(state, "open", cd + target, parameters, cd + startDirectory, showCommand);
    case LinkAction::OpenUrl:
      return ShellCall(state, "open", target, "", "", showCommand);
    case LinkAction::SendEmail:
      return ShellCall(state, "open", "mailto:" + target, parameters, "", showCommand);
    case LinkAction::PlaySound:
      return PlaySoundFile(state, cd + target);
    case LinkAction::PrintFile:
      return ShellCall(state, "print", cd + target, parameters, "", showCommand);
    case LinkAction::BrowseCd:
      return ShellCall(state, "explore", cd, parameters, "", showCommand);
    case LinkAction::ExitAutoRun:
      if (state.View) state.View->CloseMenu();
      return false;
  }
  // A byte above 7 survives loading; it means nothing.
  return false;
}

bool RunLink(AppState& state, const ObjectLink& link) {
  return RunLink(state, link.Action, link.Target, link.Parameters, link.StartDirectory, link.ShowCommand);
}

bool PlaySoundFile(AppState& state, const std::string& path) {
  if (!state.Env.Files->FileExists(path)) {
    ShowError(state.Env, "The specified file was not found.");
    return false;
  }
  SoundPlayer& sound = *state.Env.Sound;
  try {
    if (sound.Close() != 0) return false;
    if (sound.Open(path) != 0) return false;
    // A refusal that arrives here is not success; one that comes later, asynchronously,
    // goes unseen.
    return sound.Play() == 0;
  } catch (const std::exception&) {
    return false;
  }
}

void ObjectClick(AppState& state, int32_t tag) {
  auto& objects = state.Project.Objects;
  if (tag < 0 || static_cast<size_t>(tag) >= objects.size()) return;
  const MenuObject& obj = *objects[static_cast<size_t>(tag)];
  // Panes have no click handler.
  if (obj.Kind != ObjectKind::Label && obj.Kind != ObjectKind::Button && obj.Kind != ObjectKind::Image) return;
  if (obj.Link.Action == LinkAction::None) return;
  // A copy: the link may close the menu, and closing may free the objects.
  const ObjectLink link = obj.Link;
  RunLink(state, link);
}

void PlayStartSoundAndLink(AppState& state) {
  const MenuProject& project = state.Project;
  // StartSound begins with its own backslash; the doubled one is harmless to the file system.
  if (!project.StartSound.empty()) PlaySoundFile(state, state.CDFolder + "\\" + project.StartSound);
  if (project.StartLink.Action != LinkAction::None) {
    const ObjectLink link = project.StartLink;
    RunLink(state, link);
  }
}

}  // namespace corvela
