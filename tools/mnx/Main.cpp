// mnx: a project file as JSON and back, for scripts, tests and version control.
//   mnx dump FILE          prints FILE as JSON
//   mnx build JSON FILE    writes FILE from JSON
//   mnx check FOLDER [--json]   checks a CD folder before it is burnt
// Exit status: 0 done, 1 bad input (one line on stderr says what) or a check with errors,
// 2 wrong usage.

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/StdPlatform.h"
#include "project/DiscCheck.h"
#include "project/ProjectFile.h"
#include "project/ProjectJson.h"

namespace corvela {
namespace {

constexpr int kDone = 0;
constexpr int kBadInput = 1;
constexpr int kUsage = 2;

int Usage() {
  std::cerr << "usage: mnx dump FILE\n"
               "       mnx build JSON FILE\n"
               "       mnx check FOLDER [--json]\n";
  return kUsage;
}

int Fail(const std::string& message) {
  std::cerr << "mnx: " << message << '\n';
  return kBadInput;
}

// The file's bytes, or the message the exe would show for a missing or unreadable file.
bool ReadInput(StdPlatform& platform, const std::string& path, std::string& bytes, std::string& error) {
  if (!platform.Files.FileExists(path)) {
    error = "File \"" + path + "\" not found";
    return false;
  }
  return platform.Files.ReadFile(path, bytes, error);
}

int Dump(const std::string& path) {
  StdPlatform platform("mnx: ");
  AppState state(platform.Env);
  std::string bytes, error;
  if (!ReadInput(platform, path, bytes, error)) return Fail(error);
  ParseDetails details;
  switch (ParseProject(state, bytes, &details)) {
    case ParseOutcome::FormatMismatch:
      return Fail("File format not match: \"" + path + "\" does not begin with 55 AA AA 55");
    case ParseOutcome::IoError:
      return Fail("IO Error: \"" + path + "\" cannot be read past byte " + std::to_string(details.FailOffset));
    case ParseOutcome::Loaded:
      break;
  }
  // The file's own window position, not the centred one the exe would use.
  state.Project.Form.Left = details.StoredLeft;
  state.Project.Form.Top = details.StoredTop;
  std::cout << ProjectToJson(state, details.Trailer).dump(2) << '\n';
  // The JSON holds what the exe reads: a boolean byte above 1 reads as true and a negative object
  // count as none, and they come back as 1 and 0.
  if (SerializeProject(state, details.Trailer) != bytes)
    std::cerr << "mnx: note: \"" << path << "\" holds a boolean byte above 1 or a negative object count; "
              << "building from this JSON writes 1 or 0 there\n";
  return kDone;
}

int Build(const std::string& jsonPath, const std::string& path) {
  StdPlatform platform("mnx: ");
  AppState state(platform.Env);
  std::string text, error;
  if (!ReadInput(platform, jsonPath, text, error)) return Fail(error);
  Json json;
  try {
    json = Json::parse(text);
  } catch (const Json::exception& e) {
    return Fail("\"" + jsonPath + "\" is not JSON: " + e.what());
  }
  std::optional<std::string> trailer;
  if (!ProjectFromJson(json, state, trailer, error)) return Fail("\"" + jsonPath + "\": " + error);
  std::optional<std::string> bytes = SerializeProject(state, trailer ? *trailer : TickTrailer(platform.Ticks));
  if (!bytes) return Fail("IO Error: the project cannot be written");
  if (!platform.Files.SaveFileSafely(path, *bytes, error)) return Fail(error);
  return kDone;
}

// Strings as the characters U+0000 to U+00FF, as dump writes them, so any 8-bit name survives.
Json FindingsToJson(const std::vector<Finding>& findings) {
  Json list = Json::array();
  for (const Finding& f : findings) {
    Json item;
    item["severity"] = SeverityName(f.Level);
    item["object"] = Latin1ToUtf8(FindingObjectText(f));
    item["objectIndex"] = f.Subject == FindingSubject::Object ? Json(f.ObjectIndex) : Json(nullptr);
    item["path"] = Latin1ToUtf8(f.Path);
    item["message"] = Latin1ToUtf8(f.Message);
    list.push_back(std::move(item));
  }
  return list;
}

int Check(const std::string& folder, bool json) {
  StdFileSystem files;
  const std::vector<Finding> findings = CheckDisc(files, folder);
  if (json) {
    std::cout << FindingsToJson(findings).dump(2) << '\n';
  } else {
    for (const Finding& f : findings) std::cout << FindingLine(f) << '\n';
    std::cout << FindingsSummary(findings) << '\n';
  }
  return CountFindings(findings, Severity::Error) > 0 ? kBadInput : kDone;
}

int Run(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "dump" && argc == 3) return Dump(argv[2]);
  if (command == "build" && argc == 4) return Build(argv[2], argv[3]);
  if (command == "check" && argc == 3) return Check(argv[2], false);
  if (command == "check" && argc == 4 && std::string(argv[3]) == "--json") return Check(argv[2], true);
  if (command == "check" && argc == 4 && std::string(argv[2]) == "--json") return Check(argv[3], true);
  return Usage();
}

}  // namespace
}  // namespace corvela

int main(int argc, char** argv) {
  try {
    return corvela::Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "mnx: " << e.what() << '\n';
    return 1;
  }
}
