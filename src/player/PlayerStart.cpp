#include "player/PlayerStart.h"

#include "project/ProjectFile.h"
#include "project/Resources.h"

namespace corvela {

StartOutcome LoadPlayerProject(AppState& state) {
  state.Modified = state.DesignerMode && state.ProjectRescued;
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
  // A scratch state without a view: parsing it touches no window. A file cut short still names
  // the pictures of the objects read so far.
  AppState scratch(state.Env);
  scratch.CDFolder = state.CDFolder;
  ParseProject(scratch, bytes);
  return PictureRequests(scratch);
}

}  // namespace corvela
