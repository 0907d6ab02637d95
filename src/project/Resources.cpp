#include "project/Resources.h"

#include "platform/Platform.h"

namespace corvela {

void ApplyFormSettings(AppState& state) {
  MenuView* view = state.View;
  if (!view) return;
  // The panel colour is BackColor itself; the background is rebuilt from it.
  view->PaintBackground();
  FileSystem& files = *state.Env.Files;
  const std::string& icon = state.Project.FormIcon;
  // FormIcon is always stored with its leading backslash, so it is appended as it is.
  if (!icon.empty() && files.FileExists(state.CDFolder + icon)) {
    if (view->LoadWindowIcon(state.CDFolder + icon)) return;
  }
  const std::string fallback = state.CDFolder + "\\AutoRun.ico";
  if (files.FileExists(fallback)) view->LoadWindowIcon(fallback);
}

}  // namespace corvela
