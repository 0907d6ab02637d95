#include "player/PlayerStart.h"

#include "project/ProjectFile.h"
#include "project/Resources.h"

namespace corvela {

StartOutcome LoadPlayerProject(AppState& state) {
  state.Modified = false;
  if (state.DesignerMode) return StartOutcome::Designer;
  state.ReportMissingOnce = true;
  state.ReportedMissing.clear();
  const bool loaded = LoadProject(state, state.ProjectFileName);
  const FormSettings& form = state.Project.Form;
  if (!loaded && (form.Width <= 0 || form.Height <= 0)) {
    state.ReportMissingOnce = false;
    return StartOutcome::Close;
  }
  // A complete load has applied every object's resources already; decoding them again would only
  // cost time. A load that stopped part way applied none, so the objects it read get them here.
  if (!loaded) ApplyAllObjectResources(state);
  state.ReportMissingOnce = false;
  state.ReportedMissing.clear();
  return StartOutcome::Run;
}

std::vector<PictureRequest> PlayerPictureRequests(const AppState& state) {
  std::string bytes, error;
  if (state.DesignerMode || !state.Env.Files->FileExists(state.ProjectFileName) ||
      !state.Env.Files->ReadFile(state.ProjectFileName, bytes, error))
    return {};
  // A scratch state without a view, and with the files alone: the read ahead runs before the
  // window system is first touched, which costs the start about a third of its time, and the
  // centring a parse does needs no real screen. A file cut short still names the pictures of the
  // objects read so far.
  struct NoScreen : Screen {
    int32_t Width() override { return 0; }
    int32_t Height() override { return 0; }
  } noScreen;
  Platform files;
  files.Files = state.Env.Files;
  files.Display = &noScreen;
  AppState scratch(files);
  scratch.CDFolder = state.CDFolder;
  ParseProject(scratch, bytes);
  return PictureRequests(scratch);
}

}  // namespace corvela
