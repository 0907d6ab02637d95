#pragma once
// The narrow interfaces through which portable code reaches the outside world.
// The exe passes Win32 implementations (platform/win); tests pass fakes.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/PaneWindow.h"

namespace corvela {

// One entry of a folder listing.
struct FolderEntry {
  std::string Name;
  bool IsFolder = false;
  uint64_t Size = 0;  // bytes; 0 for a folder
  // A symbolic link or junction (a reparse point of that kind on Windows); IsFolder and Size are
  // those of what it points to.
  bool IsLink = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Reads a whole file. On failure returns false and sets error to the platform's message.
  virtual bool ReadFile(const std::string& path, std::string& bytes, std::string& error) = 0;
  // Reads a whole text file as UTF-8: one that starts with UTF-8's byte-order mark is UTF-8 (the
  // mark is dropped), any other is 8-bit text in the system's code page, as programs wrote text
  // before UTF-8. On failure returns false and sets error.
  virtual bool ReadTextFile(const std::string& path, std::string& text, std::string& error) = 0;
  // Creates or truncates a file and writes it. On failure returns false and sets error.
  virtual bool WriteFile(const std::string& path, const std::string& bytes, std::string& error) = 0;
  // Writes a temporary file beside path and replaces path with it only once it is complete,
  // so a failure leaves the previous file intact.
  virtual bool SaveFileSafely(const std::string& path, const std::string& bytes, std::string& error) = 0;
  // Copies a file, replacing an existing destination.
  virtual bool CopyOneFile(const std::string& from, const std::string& to) = 0;
  // Deletes a file; false when it is still there afterwards.
  virtual bool RemoveFile(const std::string& path) = 0;
  // Removes an empty folder; true also when there is none.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // The files and folders directly inside a folder, without "." and "..", in no set order.
  // False when the folder cannot be listed.
  virtual bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) = 0;
  // True when path names an existing file that this process may write.
  virtual bool CanWriteFile(const std::string& path) = 0;
  // Creates one folder; true also when it is there already.
  virtual bool CreateFolder(const std::string& path) = 0;
  // The user's own folder for application settings (%APPDATA%); empty when there is none.
  virtual std::string UserSettingsFolder() = 0;
  // The user's Documents folder; empty when there is none.
  virtual std::string DocumentsFolder() = 0;
  // True when this process may create a file in folder as it runs, without elevation. Rights
  // come from access lists (a drive's root, Program Files): only trying tells.
  virtual bool CanCreateFileIn(const std::string& folder) = 0;
  // The name with its letter case folded as this system compares file names, in every script:
  // two names that fold alike name one file, on the disk and on a disc read by Windows.
  virtual std::string FoldedName(const std::string& name) = 0;
};

// What SaveFileSafely appends to the name of its temporary file, and what earlier versions of the
// command-line tool appended. A file so named is what an interrupted save left behind.
inline constexpr const char* kSafeSaveSuffix = ".saving";
inline constexpr const char* kOldSaveSuffix = ".tmp";

enum class MessageIcon { None, Error, Information, Question, Warning };
// YesNoDefaultNo: Enter answers No, for questions whose Yes loses something.
enum class MessageButtons { Ok, YesNoCancel, YesNo, YesNoDefaultNo };
enum class MessageResult { Ok, Cancel, Yes, No };

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual MessageResult AskUser(const std::string& text, const std::string& caption, MessageIcon icon,
                                   MessageButtons buttons) = 0;
  // The application's title: the caption of plain messages.
  virtual std::string ApplicationTitle() = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual int32_t Width() = 0;
  virtual int32_t Height() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since the system started, wrapping at 2^32.
  virtual uint32_t TickCount() = 0;
};

struct FileChooserRequest {
  std::string Filter;      // "Description|*.ext|..." or empty for every file
  std::string InitialDir;  // empty: left to the chooser
  std::string FileName;    // preset file name, may be empty
  bool MustExist = true;   // false: a name that does not exist may be returned
  // A Save As box instead: asks before an existing file is replaced; its folder must exist.
  bool Save = false;
  std::string Title;             // empty: the box's own
  std::string DefaultExtension;  // added to a name typed without one, e.g. "iso"
};

// "A|*.a|B|*.b" in the form the common dialogs take: NUL between the parts and two at the end;
// an empty filter stays empty (every file).
std::string ToDialogFilter(const std::string& filter);

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen absolute path, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileChooserRequest& request) = 0;
};

class Graphic;

// One picture a load is about to ask a GraphicLoader for.
struct PictureRequest {
  std::string Path;
  // A button glyph (LoadGlyphBitmap) rather than a picture (LoadPicture).
  bool Glyph = false;
};

class GraphicLoader {
 public:
  virtual ~GraphicLoader() = default;
  // A Windows bitmap file (button glyphs); null when it cannot be decoded.
  virtual std::unique_ptr<Graphic> LoadGlyphBitmap(const std::string& path) = 0;
  // A picture chosen by extension: .bmp .ico .emf .wmf .jpg .jpeg .gif; null for anything else
  // or a file that cannot be decoded.
  virtual std::unique_ptr<Graphic> LoadPicture(const std::string& path) = 0;
};

struct FontRecord;

// The size text takes.
using TextExtent = Size;

// Measures text as labels and button captions draw it: "&" marks as drawn, tabs expanded, lines
// broken at word boundaries to fit maxWidth when wordWrap is set, a single line otherwise.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual TextExtent Measure(const std::string& text, const FontRecord& font, int32_t maxWidth, bool wordWrap) = 0;
};

// The current values of the system colours (colour values 0x80000000 + index).
class SystemColours {
 public:
  virtual ~SystemColours() = default;
  // RGB, 0x00BBGGRR, of the system colour with this index.
  virtual uint32_t SystemColour(int index) = 0;
  // The user runs a high-contrast theme: text and backgrounds take the theme's colours.
  virtual bool HighContrast() { return false; }
  // The theme or the colours changed: what was read of them is read again.
  virtual void SettingsChanged() {}
};

// The shell's hand-off of a file, folder, URL or mail address to whatever handles it.
class Shell {
 public:
  virtual ~Shell() = default;
  // verb, parameters and directory may be null. Returns the shell's result: above 32 on success,
  // otherwise its error code (2 file not found, 31 no association, ...).
  virtual int Execute(const char* verb, const std::string& file, const char* parameters, const char* directory,
                      int32_t showCommand) = 0;
};

// The multimedia system's sound devices, one sound at a time.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Closes the device of the previous sound, which stops it; 0 also when none is open,
  // otherwise the multimedia error code.
  virtual int Close() = 0;
  // Opens a device for the file, its type chosen from the file itself; 0 or the error code
  // (kSoundFileNotFound for a missing file).
  virtual int Open(const std::string& path) = 0;
  // Starts the open device and returns at once; the end of playback is reported elsewhere.
  // 0 or the error code of the request itself.
  virtual int Play() = 0;
};
inline constexpr int kSoundFileNotFound = 275;

// The 8-bit code pages of Windows (1252 Western, 1253 Greek, ...): where the UTF-8 text of the
// portable core meets 8-bit bytes, chiefly the strings of the project file. Every code page it
// supports keeps the bytes 0x00 to 0x7F as ASCII.
class CodePages {
 public:
  virtual ~CodePages() = default;
  // The code page 8-bit text is in on this machine.
  virtual uint32_t SystemCodePage() = 0;
  virtual bool Supports(uint32_t codePage) = 0;
  // 8-bit bytes in codePage as UTF-8.
  virtual std::string ToUtf8(uint32_t codePage, std::string_view bytes) = 0;
  // UTF-8 as 8-bit bytes in codePage. A character the code page has no byte for, and a byte that
  // is not UTF-8, becomes '?', never a look-alike: a full-width backslash or dot must not turn
  // into a real separator or dot in a path. replaced tells whether that happened.
  virtual std::string FromUtf8(uint32_t codePage, std::string_view text, bool& replaced) = 0;
};

// Writes PNG files for the start page that Save publishes beside the player.
class PictureWriter {
 public:
  virtual ~PictureWriter() = default;
  // The picture (or, with glyph, the button bitmap) at source as a PNG at target, at its own
  // size; keyed leaves out its bottom-left pixel's colour where it has no alpha of its own.
  virtual bool ConvertToPng(const std::string& source, bool glyph, bool keyed, const std::string& target) = 0;
  // width x height opaque pixels, row by row from the top, each 0x00BBGGRR.
  virtual bool WritePng(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                        const std::string& target) = 0;
  // The glyph a button without its own shows.
  virtual bool WriteFallbackGlyph(const std::string& target) = 0;
  // What a live pane (a rich-text document, a clip) shows now; false when it has nothing to show.
  virtual bool WritePaneView(const PaneWindow& pane, const std::string& target) = 0;
};

// The set of services handed to portable code. Pointers are not owned.
struct Platform {
  FileSystem* Files = nullptr;
  UserInterface* Ui = nullptr;
  Screen* Display = nullptr;
  Clock* Ticks = nullptr;
  FileChooser* Chooser = nullptr;
  GraphicLoader* Graphics = nullptr;
  SystemColours* Colours = nullptr;  // without them, colours resolve to the classic scheme
  TextMeasurer* Text = nullptr;  // sizes AutoSize labels; without one they keep their size
  Shell* Launcher = nullptr;
  SoundPlayer* Sound = nullptr;
  // Without them the project file's strings are read and written as they are, like the undo
  // history's records.
  CodePages* Codes = nullptr;
  // Only the designer has one: without it the start page's pictures are not written.
  PictureWriter* Pictures = nullptr;
};

// The one way errors of the project and player code are reported: title "Error", error icon, OK.
void ShowError(Platform& platform, const std::string& text);
// A plain message: the application's title as caption, no icon, OK.
void ShowMessage(Platform& platform, const std::string& text);

}  // namespace corvela
