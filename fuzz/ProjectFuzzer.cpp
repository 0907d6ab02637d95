// Feeds arbitrary bytes to the project file reader. Besides not crashing, whatever it loads must
// write back to the same bytes, except a boolean byte above 1 (written as 1) and a negative object
// count (written as 0); a file with an extension block is written with a block of the writer's
// own, and must load again as the same model. Either must survive the trip through JSON that mnx
// makes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/StdPlatform.h"
#include "project/ProjectFile.h"
#include "project/ProjectJson.h"

namespace {

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvela;
  static StdPlatform platform;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  AppState state(platform.Env);
  ParseDetails details;
  const ParseOutcome outcome = ParseProject(state, bytes, &details);
  if (outcome == ParseOutcome::FormatMismatch && !state.Project.Objects.empty())
    Broken("refused file changed the model");
  if (outcome != ParseOutcome::Loaded) return 0;
  for (size_t i = 0; i < state.Project.Objects.size(); ++i)
    if (state.Project.Objects[i]->Base().Tag != static_cast<int32_t>(i)) Broken("tags are not the indexes");

  state.Project.Form.Left = details.StoredLeft;
  state.Project.Form.Top = details.StoredTop;
  const std::optional<std::string> written = SerializeProject(state, details.Trailer);
  if (!written) Broken("a loaded project cannot be written");
  if (details.Extension == ExtensionState::None) {
    if (written->size() != bytes.size()) Broken("written size differs");
    const size_t countAt = details.ObjectCountOffset;
    for (size_t i = 0; i < bytes.size(); ++i) {
      const auto in = static_cast<uint8_t>(bytes[i]);
      const auto out = static_cast<uint8_t>((*written)[i]);
      const bool inNegativeCount = details.StoredObjectCount < 0 && i >= countAt && i < countAt + 4;
      if (in != out && !(in > 1 && out == 1) && !(inNegativeCount && out == 0)) Broken("written bytes differ");
    }
  } else {
    AppState again(platform.Env);
    ParseDetails againDetails;
    if (ParseProject(again, *written, &againDetails) != ParseOutcome::Loaded) Broken("a written project does not load");
    if (againDetails.Extension == ExtensionState::Ignored && details.Extension == ExtensionState::Read)
      Broken("the writer's own block is not read");
    again.Project.Form.Left = againDetails.StoredLeft;
    again.Project.Form.Top = againDetails.StoredTop;
    if (ProjectToJson(again, "") != ProjectToJson(state, "")) Broken("the written project loads as another model");
  }

  const Json json = Json::parse(ProjectToJson(state, details.Trailer).dump());
  AppState rebuilt(platform.Env);
  std::optional<std::string> trailer;
  std::string error;
  if (!ProjectFromJson(json, rebuilt, trailer, error)) Broken("dumped JSON does not build");
  if (!trailer || SerializeProject(rebuilt, *trailer) != written) Broken("JSON round trip changes the file");
  return 0;
}
