#include "project/ProjectRescue.h"

#include "project/Resources.h"

namespace corvela {

PartialProject ReadPartialProject(AppState& state, const std::string& bytes) {
  ParseDetails details;
  PartialProject partial;
  partial.Outcome = ParseProject(state, bytes, &details);
  partial.FileSize = bytes.size();
  if (partial.Outcome != ParseOutcome::IoError) return partial;
  partial.ReadUpTo = details.FailOffset;
  partial.ObjectsRead = state.Project.Objects.size();
  return partial;
}

std::string RescueQuestion(const std::string& path, const PartialProject& partial) {
  const std::string objects =
      partial.ObjectsRead == 1 ? "the 1 object" : "the " + std::to_string(partial.ObjectsRead) + " objects";
  return "\"" + path + "\" is damaged: it could be read only up to byte " + std::to_string(partial.ReadUpTo) + " of " +
         std::to_string(partial.FileSize) + ".\n\nOpen the menu's settings and " + objects +
         " that could be read? The damaged file stays as it is until you choose to replace it.";
}

DesignLoad LoadProjectOrRescue(AppState& state, const std::string& path) {
  std::string bytes, error;
  if (!state.Env.Files->ReadFile(path, bytes, error)) {
    ShowError(state.Env, error);
    return DesignLoad::Unreadable;
  }
  const PartialProject partial = ReadPartialProject(state, bytes);
  if (partial.Outcome == ParseOutcome::FormatMismatch) {
    ShowError(state.Env, "File format not match");
    return DesignLoad::Unreadable;
  }
  if (partial.Outcome == ParseOutcome::IoError &&
      state.Env.Ui->AskUser(RescueQuestion(path, partial), "Damaged menu", MessageIcon::Warning,
                            MessageButtons::YesNo) != MessageResult::Yes)
    return DesignLoad::Unreadable;
  ApplyAllObjectResources(state);
  ApplyFormSettings(state);
  // A rescued menu is not what the file holds: it counts as changed.
  state.Modified = partial.Outcome == ParseOutcome::IoError;
  return partial.Outcome == ParseOutcome::Loaded ? DesignLoad::Loaded : DesignLoad::Rescued;
}

}  // namespace corvela
