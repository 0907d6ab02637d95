// mnx: a project file as JSON and back, and the disc image of a CD folder, for scripts, tests
// and version control.
//   mnx dump FILE          prints FILE as JSON
//   mnx build JSON FILE    writes FILE from JSON
//   mnx check FOLDER [--json]   checks a CD folder before it is burnt
//   mnx iso FOLDER IMAGE.iso [--label TEXT] [--force]
//                          writes the ISO 9660 + Joliet image of FOLDER
// Paths may be relative to the current directory.
//   --codepage N           with any command: the code page (1250 to 1258, default 1252) of the
//                          machine the project's 8-bit strings are taken to come from
// Exit status: 0 done, 1 bad input or failure (one line on stderr says what) or a check with
// errors, 2 wrong usage.

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
  std::cerr << "usage: mnx dump FILE [--codepage N]\n"
               "       mnx build JSON FILE [--codepage N]\n"
               "       mnx check FOLDER [--json] [--codepage N]\n"
               "       mnx iso FOLDER IMAGE.iso [--label TEXT] [--force] [--codepage N]\n"
               "       N: the Windows code page of the project's 8-bit strings, 1250 to 1258 (default 1252)\n";
  return kUsage;
}

constexpr uint32_t kDefaultCodePage = 1252;

int Fail(const std::string& message) {
  std::cerr << "mnx: " << message << '\n';
  return kBadInput;
}

// A path from the command line, resolved against the current directory as the shell meant it:
// the disc check joins names to the folder as it is given ("MyDisc" alone would give
// "MyDisc\autorun.inf" natively), and messages then name the file for certain.
std::string ResolvedPath(const std::string& argument) {
#ifdef _WIN32
  const std::wstring wide = std::filesystem::u8path(argument).native();
  std::unique_ptr<wchar_t, decltype(&std::free)> full(_wfullpath(nullptr, wide.c_str(), 0), &std::free);
  return full ? std::filesystem::path(full.get()).u8string() : argument;
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

int Dump(const std::string& path, uint32_t codePage) {
  StdPlatform platform("mnx: ", codePage);
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
  // count as none, and they come back as 1 and 0; a block that cannot be trusted is left out.
  const std::string note = "mnx: note: \"" + path + "\" ";
  if (details.Extension == ExtensionState::Ignored)
    std::cerr << note << "ends with an extension block that is damaged or of a later version, which was not "
              << "read: the JSON holds the 8-bit text\n";
  else if (details.CodePage != codePage)
    std::cerr << note << "holds its 8-bit strings in code page " << details.CodePage
              << "; building from this JSON writes them in code page " << codePage << '\n';
  else if (SerializeProject(state, details.Trailer) != bytes)
    std::cerr << note << "holds a boolean byte above 1, a negative object count or an extension block "
              << "written otherwise than mnx writes it; building from this JSON writes 1, 0 or mnx's block there\n";
  return kDone;
}

int Build(const std::string& jsonPath, const std::string& path, uint32_t codePage) {
  StdPlatform platform("mnx: ", codePage);
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

// Strings as the UTF-8 text they are; dumped with U+FFFD for a file name's bytes that are not UTF-8.
Json FindingsToJson(const std::vector<Finding>& findings) {
  Json list = Json::array();
  for (const Finding& f : findings) {
    Json item;
    item["severity"] = SeverityName(f.Level);
    item["object"] = FindingObjectText(f);
    item["objectIndex"] = f.Subject == FindingSubject::Object ? Json(f.ObjectIndex) : Json(nullptr);
    item["path"] = f.Path;
    item["message"] = f.Message;
    list.push_back(std::move(item));
  }
  return list;
}

int Check(const std::string& folder, bool json, uint32_t codePage) {
  StdFileSystem files;
  TableCodePages codes(codePage);
  const std::vector<Finding> findings = CheckDisc(files, folder, &codes);
  if (json) {
    std::cout << FindingsToJson(findings).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    for (const Finding& f : findings) std::cout << FindingLine(f) << '\n';
    std::cout << FindingsSummary(findings) << '\n';
  }
  return CountFindings(findings, Severity::Error) > 0 ? kBadInput : kDone;
}

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

// A path for the image writer, from the UTF-8 the arguments were turned into.
NativePath WidePath(const std::string& path) { return std::filesystem::u8path(path).native(); }

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
  uint32_t CodePage = kDefaultCodePage;
};

std::optional<IsoOptions> ParseIso(const std::vector<std::string>& args) {
  IsoOptions options;
  int positional = 0;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--label" && i + 1 < args.size()) {
      options.Label = args[++i];
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
// The label the menu gives its disc, or else its caption.
std::string MenuLabel(const std::string& folder, uint32_t codePage) {
  StdPlatform platform("mnx: ", codePage);
  AppState state(platform.Env);
  std::string bytes, error;
  const std::string path = folder + static_cast<char>(kNativeSeparator) + kProjectFileName;
  if (!platform.Files.FileExists(path) || !platform.Files.ReadFile(path, bytes, error)) return {};
  if (ParseProject(state, bytes, nullptr) != ParseOutcome::Loaded) return {};
  return state.Project.DiscLabel.empty() ? state.Project.Form.Caption : state.Project.DiscLabel;
}

int Iso(const IsoOptions& options) {
  // What is burnt cannot be mended: the check's findings come first, and its errors stop the
  // image unless the user insists.
  {
    StdFileSystem files;
    TableCodePages codes(options.CodePage);
    const std::vector<Finding> findings = CheckDisc(files, options.Folder, &codes);
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
  request.VolumeLabel = options.Label ? *options.Label : MenuLabel(options.Folder, options.CodePage);

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
                << VolumeLabelFrom(request.VolumeLabel) << '\n';
      return kDone;
    case DiscImageOutcome::Cancelled:
      return Fail("cancelled; no image written");
    case DiscImageOutcome::Failed:
      break;
  }
  return Fail(result.Error);
}

// Takes "--codepage N" out of args; false, with the message said, for a code page mnx has no
// table of.
bool TakeCodePage(std::vector<std::string>& args, std::optional<uint32_t>& codePage) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--codepage") continue;
    const std::string value = i + 1 < args.size() ? args[i + 1] : "";
    const bool number = !value.empty() && value.size() <= 5 && value.find_first_not_of("0123456789") == std::string::npos;
    const unsigned long n = number ? std::stoul(value) : 0;
    if (n < 1250 || n > 1258) {
      std::cerr << "mnx: --codepage takes a Windows code page of 8-bit text from 1250 to 1258, not \"" << value
                << "\"\n";
      return false;
    }
    codePage = static_cast<uint32_t>(n);
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    return true;
  }
  return true;
}

int Run(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::optional<uint32_t> codePage;
  if (!TakeCodePage(args, codePage)) return kUsage;
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  const uint32_t page = codePage.value_or(kDefaultCodePage);
  if (command == "dump" && args.size() == 2) return Dump(ResolvedPath(args[1]), page);
  if (command == "build" && args.size() == 3) return Build(ResolvedPath(args[1]), ResolvedPath(args[2]), page);
  if (command == "check") {
    if (args.size() == 2) return Check(ResolvedPath(args[1]), false, page);
    if (args.size() == 3 && args[2] == "--json") return Check(ResolvedPath(args[1]), true, page);
    if (args.size() == 3 && args[1] == "--json") return Check(ResolvedPath(args[2]), true, page);
  }
  if (command == "iso") {
    std::optional<IsoOptions> options = ParseIso(args);
    if (!options) return Usage();
    options->CodePage = page;
    return Iso(*options);
  }
  return Usage();
}

int Main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "mnx: " << e.what() << '\n';
    return kBadInput;
  }
}

}  // namespace
}  // namespace corvela

#ifdef _WIN32
// The arguments as Windows holds them, UTF-16, so that a name in any script arrives whole: the
// 8-bit ones would have gone through the ANSI code page.
int wmain(int argc, wchar_t** wargv) {
  std::vector<std::string> utf8;
  try {
    for (int i = 0; i < argc; ++i) utf8.push_back(std::filesystem::path(wargv[i]).u8string());
  } catch (const std::exception&) {
    std::cerr << "mnx: an argument is not valid UTF-16 text\n";
    return 2;
  }
  std::vector<char*> argv;
  for (std::string& arg : utf8) argv.push_back(arg.data());
  return corvela::Main(argc, argv.data());
}
#else
int main(int argc, char** argv) { return corvela::Main(argc, argv); }
#endif
