#pragma once
// A damaged AutoRun.mnx rescued in the designer: the settings and the objects read completely
// before the damage, opened on the user's word. The damaged file stays as it is until the user
// agrees to replace it.

#include <cstddef>
#include <optional>
#include <string>

#include "project/AppState.h"
#include "project/ProjectFile.h"

namespace corvela {

struct PartialProject {
  ParseOutcome Outcome = ParseOutcome::FormatMismatch;
  // For IoError: the first byte that could not be read, and the objects read before it.
  size_t ReadUpTo = 0;
  size_t FileSize = 0;
  size_t ObjectsRead = 0;
};

// Reads bytes into the model as ParseProject does; for a project file that cannot be read past
// some byte (IoError), the model keeps the settings and the objects read completely before it
// (never more than the file holds, nothing allocated for what it only claims) and the result says
// how far that was.
PartialProject ReadPartialProject(AppState& state, const std::string& bytes);

// What the user is asked about the damaged file at path.
std::string RescueQuestion(const std::string& path, const PartialProject& partial);

enum class DesignLoad { Loaded, Rescued, Unreadable };

// The designer's load: like LoadProject, but a damaged project file is offered for rescue.
// Rescued leaves the partial menu applied and Modified set; Unreadable leaves the model to the
// caller (the failure has been reported or the rescue declined).
DesignLoad LoadProjectOrRescue(AppState& state, const std::string& path);

}  // namespace corvela
