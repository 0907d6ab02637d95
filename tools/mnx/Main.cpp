// mnx: a project file as JSON and back, and the disc image of a CD folder, for scripts, tests
// and version control.
//   mnx dump FILE          prints FILE as JSON
//   mnx build JSON FILE    writes FILE from JSON
//   mnx check FOLDER [--json]   checks a CD folder before it is burnt
//   mnx iso FOLDER IMAGE.iso [--label TEXT] [--force]
//                          writes the ISO 9660 + Joliet image of FOLDER
// Paths may be relative to the current directory.
// Exit status: 0 done, 1 bad input or failure (one line on stderr says what) or a check with
// errors, 2 wrong usage.

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define CORVELA_ISATTY _isatty
#define CORVELA_FILENO _fileno
#else
#include <unistd.h>
#define CORVELA_ISATTY isatty
#define CORVELA_FILENO fileno
#endif

#include "platform/StdPlatform.h"
#include "project/CdFolder.h"
#include "project/DiscCheck.h"
#include "project/DiscImage.h"
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
               "       mnx check FOLDER [--json]\n"
               "       mnx iso FOLDER IMAGE.iso [--label TEXT] [--force]\n";
  return kUsage;
}

int Fail(const std::string& message) {
  std::cerr << "mnx: " << message << '\n';
  return kBadInput;
}

// A path from the command line, resolved against the current directory as the shell meant it:
// the disc check joins names to the folder as it is given ("MyDisc" alone would give
// "MyDisc\autorun.inf" natively), and messages then name the file for certain.
std::string ResolvedPath(const std::string& argument) {
#ifdef _WIN32
  std::unique_ptr<char, decltype(&std::free)> full(_fullpath(nullptr, argument.c_str(), 0), &std::free);
  return full ? std::string(full.get()) : argument;
#else
  return AbsolutePath(argument);
#endif
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

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

// A path for the image writer: on Windows the arguments come in the system's code page.
NativePath WidePath(const std::string& path) {
#ifdef _WIN32
  std::setlocale(LC_CTYPE, "");
  std::wstring wide(path.size() + 1, L'\0');
  const size_t length = std::mbstowcs(wide.data(), path.c_str(), wide.size());
  std::setlocale(LC_CTYPE, "C");
  if (length != static_cast<size_t>(-1)) {
    wide.resize(length);
    return wide;
  }
  return std::filesystem::path(path).native();
#else
  return path;
#endif
}

// The complete image in the old one's place: the standard library's rename replaces a file in
// one step on both systems.
std::string ReplaceByRenaming(const NativePath& from, const NativePath& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return ec ? ec.message() : std::string();
}

struct IsoOptions {
  std::string Folder;  // resolved, see ResolvedPath
  std::string Image;
  std::optional<std::string> Label;
  bool Force = false;  // write the image although the disc check found errors
};

std::optional<IsoOptions> ParseIso(int argc, char** argv) {
  IsoOptions options;
  int positional = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--label" && i + 1 < argc) {
      options.Label = argv[++i];
    } else if (arg == "--force") {
      options.Force = true;
    } else if (arg.rfind("--", 0) == 0 || positional == 2) {
      return std::nullopt;
    } else {
      (positional++ == 0 ? options.Folder : options.Image) = ResolvedPath(arg);
    }
  }
  if (positional != 2) return std::nullopt;
  return options;
}

// The menu's caption, the image's label unless one is given; empty when the folder holds no
// readable project.
std::string MenuCaption(const std::string& folder) {
  StdPlatform platform("mnx: ");
  AppState state(platform.Env);
  std::string bytes, error;
  const std::string path = folder + static_cast<char>(kNativeSeparator) + kProjectFileName;
  if (!platform.Files.FileExists(path) || !platform.Files.ReadFile(path, bytes, error)) return {};
  if (ParseProject(state, bytes, nullptr) != ParseOutcome::Loaded) return {};
  return state.Project.Form.Caption;
}

int Iso(const IsoOptions& options) {
  // What is burnt cannot be mended: the check's findings come first, and its errors stop the
  // image unless the user insists.
  {
    StdFileSystem files;
    const std::vector<Finding> findings = CheckDisc(files, options.Folder);
    for (const Finding& f : findings) {
      if (f.Level != Severity::Note) std::cerr << FindingLine(f) << '\n';
    }
    if (CountFindings(findings, Severity::Error) > 0 && !options.Force) {
      return Fail(FindingsSummary(findings) + "; no image written (--force writes it anyway)");
    }
  }

  DiscImageRequest request;
  request.Folder = WidePath(options.Folder);
  request.Image = WidePath(options.Image);
  request.VolumeLabel = VolumeLabelFrom(options.Label ? *options.Label : MenuCaption(options.Folder));

  const bool terminal = CORVELA_ISATTY(CORVELA_FILENO(stderr)) != 0;
  int shownPercent = -1;
  std::signal(SIGINT, OnInterrupt);
  const DiscImageProgress progress = [&](uint64_t done, uint64_t total) {
    if (terminal) {
      const int percent = total ? static_cast<int>(done * 100 / total) : 100;
      if (percent != shownPercent) {
        shownPercent = percent;
        std::fprintf(stderr, "\rWriting %s: %3d%%", DisplayPath(request.Image).c_str(), percent);
        std::fflush(stderr);
      }
    }
    return interrupted == 0;
  };
  const DiscImageResult result = MakeLibarchiveImageWriter(&ReplaceByRenaming)->Write(request, progress);
  if (terminal && shownPercent >= 0) std::fprintf(stderr, "\n");
  switch (result.Outcome) {
    case DiscImageOutcome::Written:
      std::cout << DisplayPath(request.Image) << ": " << ByteCountText(result.ImageBytes) << ", volume label "
                << request.VolumeLabel << '\n';
      return kDone;
    case DiscImageOutcome::Cancelled:
      return Fail("cancelled; no image written");
    case DiscImageOutcome::Failed:
      break;
  }
  return Fail(result.Error);
}

int Run(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "dump" && argc == 3) return Dump(ResolvedPath(argv[2]));
  if (command == "build" && argc == 4) return Build(ResolvedPath(argv[2]), ResolvedPath(argv[3]));
  if (command == "check" && argc == 3) return Check(ResolvedPath(argv[2]), false);
  if (command == "check" && argc == 4 && std::string(argv[3]) == "--json") return Check(ResolvedPath(argv[2]), true);
  if (command == "check" && argc == 4 && std::string(argv[2]) == "--json") return Check(ResolvedPath(argv[3]), true);
  if (command == "iso") {
    const std::optional<IsoOptions> options = ParseIso(argc, argv);
    return options ? Iso(*options) : Usage();
  }
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
