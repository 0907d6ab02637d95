#pragma once
// In-memory fakes of the platform services for portable tests.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/StdPlatform.h"
#include "platform/SystemColours.h"
#include "platform/TableCodePages.h"
#include "platform/TextLines.h"
#include "project/AppState.h"

namespace corvela::testing {

class FakeFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> Files;  // path -> bytes
  std::set<std::string> Directories;
  std::set<std::string> Unreadable;     // exist but cannot be read
  std::set<std::string> Unwritable;     // cannot be created
  std::set<std::string> FailingCopies;  // destinations a copy to fails
  std::string AppData;                  // %APPDATA%; empty: none
  std::string Documents;                // empty: none

  bool FileExists(const std::string& path) override { return Files.count(path) > 0; }
  bool DirectoryExists(const std::string& path) override { return Directories.count(path) > 0; }
  bool ReadFile(const std::string& path, std::string& bytes, std::string& error) override {
    auto it = Files.find(path);
    if (it == Files.end() || Unreadable.count(path)) {
      error = "Cannot open file \"" + path + "\".";
      return false;
    }
    bytes = it->second;
    return true;
  }
  // This system's 8-bit code page is ISO 8859-1: each byte is the character of its number.
  bool ReadTextFile(const std::string& path, std::string& text, std::string& error) override {
    std::string bytes;
    if (!ReadFile(path, bytes, error)) return false;
    text = bytes;
    if (DropUtf8Mark(text)) return true;
    text.clear();
    for (unsigned char c : bytes) {
      if (c < 0x80) {
        text += static_cast<char>(c);
      } else {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    return true;
  }
  bool WriteFile(const std::string& path, const std::string& bytes, std::string& error) override {
    if (Unwritable.count(path)) {
      error = "Cannot create file \"" + path + "\".";
      return false;
    }
    Files[path] = bytes;
    return true;
  }
  bool SaveFileSafely(const std::string& path, const std::string& bytes, std::string& error) override {
    return WriteFile(path, bytes, error);
  }
  bool CopyOneFile(const std::string& from, const std::string& to) override {
    auto it = Files.find(from);
    if (it == Files.end() || FailingCopies.count(to)) return false;
    Files[to] = it->second;
    return true;
  }
  bool CanWriteFile(const std::string& path) override { return FileExists(path) && !Unwritable.count(path); }
  bool CreateFolder(const std::string& path) override {
    if (Unwritable.count(path)) return false;
    Directories.insert(path);
    return true;
  }
  std::string UserSettingsFolder() override { return AppData; }
  std::string DocumentsFolder() override { return Documents; }
  // Every folder takes new files except those listed in Unwritable.
  bool CanCreateFileIn(const std::string& folder) override { return !Unwritable.count(folder); }
  std::string FoldedName(const std::string& name) override { return FoldNameCase(name); }
  bool RemoveFile(const std::string& path) override {
    if (Unwritable.count(path)) return false;
    Files.erase(path);
    return true;
  }
  bool RemoveFolder(const std::string& path) override {
    if (Unwritable.count(path)) return false;
    Directories.erase(path);
    return true;
  }
  // The files and folders whose path is path, a backslash and a name without one.
  bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) override {
    if (!DirectoryExists(path)) return false;
    entries.clear();
    const std::string prefix = path + "\\";
    auto isChild = [&](const std::string& p) {
      return p.size() > prefix.size() && p.compare(0, prefix.size(), prefix) == 0 &&
             p.find('\\', prefix.size()) == std::string::npos;
    };
    for (const auto& [p, bytes] : Files)
      if (isChild(p)) entries.push_back({p.substr(prefix.size()), false, bytes.size()});
    for (const auto& p : Directories)
      if (isChild(p)) entries.push_back({p.substr(prefix.size()), true, 0});
    return true;
  }
};

struct ShownMessage {
  std::string Text;
  std::string Caption;
  MessageIcon Icon;
  MessageButtons Buttons;
};

class FakeUi : public UserInterface {
 public:
  std::vector<ShownMessage> Shown;
  std::deque<MessageResult> Answers;  // answers to questions, in order; Ok when empty
  std::string Title = "Corvela";

  MessageResult AskUser(const std::string& text, const std::string& caption, MessageIcon icon,
                        MessageButtons buttons) override {
    Shown.push_back({text, caption, icon, buttons});
    if (Answers.empty()) return MessageResult::Ok;
    MessageResult r = Answers.front();
    Answers.pop_front();
    return r;
  }
  std::string ApplicationTitle() override { return Title; }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : Shown) texts.push_back(m.Text);
    return texts;
  }
};

class FakeScreen : public Screen {
 public:
  int32_t W = 1280, H = 1024;
  int32_t Width() override { return W; }
  int32_t Height() override { return H; }
};

class FakeClock : public Clock {
 public:
  uint32_t Now = 1000;
  uint32_t TickCount() override { return Now++; }
};

class FakeChooser : public FileChooser {
 public:
  std::vector<FileChooserRequest> Requests;
  std::optional<std::string> Answer;  // nothing: the user cancels
  std::deque<std::string> Queued;     // answered first, in order, before Answer
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override {
    Requests.push_back(request);
    if (!Queued.empty()) {
      std::string next = Queued.front();
      Queued.pop_front();
      return next;
    }
    return Answer;
  }
};

// A decoded graphic of a given size that remembers where it came from; live, when given, counts
// the graphics not yet freed.
class FakeGraphic : public Graphic {
 public:
  FakeGraphic(std::string source, int* live, int width = 32, int height = 32)
      : Source(std::move(source)), Live(live), W(width), H(height) {
    if (Live) ++*Live;
  }
  ~FakeGraphic() override {
    if (Live) --*Live;
  }
  int Width() const override { return W; }
  int Height() const override { return H; }
  std::string Source;
  int* Live;
  int W, H;
};

// Decodes every existing file except those listed as damaged; counts live graphics.
class FakeGraphicLoader : public GraphicLoader {
 public:
  explicit FakeGraphicLoader(FakeFileSystem& files) : Files(files) {}
  FakeFileSystem& Files;
  std::set<std::string> Damaged;
  int Live = 0;
  int Loads = 0;  // decodes asked for, of existing files or not
  std::vector<PictureRequest> Asked;
  std::unique_ptr<Graphic> LoadGlyphBitmap(const std::string& path) override {
    Asked.push_back({path, true});
    return Load(path);
  }
  std::unique_ptr<Graphic> LoadPicture(const std::string& path) override {
    Asked.push_back({path, false});
    return Load(path);
  }

 private:
  std::unique_ptr<Graphic> Load(const std::string& path) {
    ++Loads;
    if (!Files.FileExists(path) || Damaged.count(path)) return nullptr;
    return std::make_unique<FakeGraphic>(path, &Live);
  }
};

// System colours from the classic scheme, with chosen ones changed through Values.
class FakeSystemColours : public SystemColours {
 public:
  std::map<int, uint32_t> Values;  // index -> RGB
  uint32_t SystemColour(int index) override {
    auto it = Values.find(index);
    return it != Values.end() ? it->second : ClassicSystemColour(index);
  }
};

struct ShellCall {
  std::optional<std::string> Verb;
  std::string File;
  std::optional<std::string> Parameters;
  std::optional<std::string> Directory;
  int32_t ShowCommand;
};

// Records every shell call and answers Result (success by default).
class FakeShell : public Shell {
 public:
  std::vector<ShellCall> Calls;
  int Result = 42;
  int Execute(const char* verb, const std::string& file, const char* parameters, const char* directory,
              int32_t showCommand) override {
    auto opt = [](const char* s) { return s ? std::optional<std::string>(s) : std::nullopt; };
    Calls.push_back({opt(verb), file, opt(parameters), opt(directory), showCommand});
    return Result;
  }
};

// Records the device requests as "close", "open <path>", "play". Open fails for paths in
// Unplayable; Close and Play answer CloseResult and PlayResult.
class FakeSoundPlayer : public SoundPlayer {
 public:
  std::vector<std::string> Calls;
  std::set<std::string> Unplayable;
  int CloseResult = 0;
  int PlayResult = 0;
  int Close() override {
    Calls.push_back("close");
    return CloseResult;
  }
  int Open(const std::string& path) override {
    Calls.push_back("open " + path);
    return Unplayable.count(path) ? 281 : 0;  // 281: no device for the extension
  }
  int Play() override {
    Calls.push_back("play");
    return PlayResult;
  }
};

// A menu window that logs what it is asked to do, into its own log or a shared one.
class RecordingView : public MenuView {
  std::vector<std::string> own_;

 public:
  explicit RecordingView(std::vector<std::string>* log = nullptr) : Calls(log ? *log : own_) {}
  std::vector<std::string>& Calls;
  void FormSettingsChanged() override { Calls.push_back("settings"); }
  void PaintBackground() override { Calls.push_back("background"); }
  bool LoadWindowIcon(const std::string& path) override {
    Calls.push_back("icon " + path);
    return true;
  }
  void UseApplicationIcon() override { Calls.push_back("app icon"); }
  void PlayAvi(MenuObject&, const std::string& path) override { Calls.push_back("avi " + path); }
  void NavigateHtml(MenuObject&, const std::string& url) override { Calls.push_back("html " + url); }
  void LoadRtf(MenuObject&, const std::string& path) override { Calls.push_back("rtf " + path); }
  void WireObjects() override { Calls.push_back("wire"); }
  void CloseMenu() override { Calls.push_back("close"); }
};

// A platform wired to fakes, and a fresh state over it.
struct FakeWorld {
  FakeFileSystem Files;
  FakeUi Ui;
  FakeScreen Display;
  FakeClock Ticks;
  FakeChooser Chooser;
  FakeGraphicLoader Graphics{Files};
  FakeShell Launcher;
  FakeSoundPlayer Sound;
  FakeSystemColours Colours;
  TableCodePages Codes{1252};  // a Western European machine
  Platform Env;
  AppState State;

  FakeWorld() : Env(MakeEnv()), State(Env) {}

 private:
  Platform MakeEnv() {
    Platform p;
    p.Files = &Files;
    p.Ui = &Ui;
    p.Display = &Display;
    p.Ticks = &Ticks;
    p.Chooser = &Chooser;
    p.Graphics = &Graphics;
    p.Launcher = &Launcher;
    p.Sound = &Sound;
    p.Colours = &Colours;
    p.Codes = &Codes;
    return p;
  }
};

}  // namespace corvela::testing
