#pragma once
// AutoRun.mnx: a flat little-endian sequence of fields with no version, sizes or checksum,
// written and read by one pair of routines per record; its strings are 8-bit text in the saving
// machine's code page, and what that cannot hold follows the trailer in an extension block
// (ProjectExtension.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "project/AppState.h"
#include "project/ByteStream.h"
#include "project/ProjectExtension.h"

namespace corvela {

class Clock;

inline constexpr uint32_t kProjectMagic = 0x55AAAA55u;
inline constexpr int kTrailerWords = 20;

// One writer and one reader per record. Each stops at the first field that fails and returns
// false; a reader leaves the fields before the failure set.
bool WriteString(ByteWriter& out, const std::string& text);
bool ReadString(ByteReader& in, std::string& text);
bool WriteFont(ByteWriter& out, const FontRecord& font);
bool ReadFont(ByteReader& in, FontRecord& font);
bool WriteLink(ByteWriter& out, const ObjectLink& link);
bool ReadLink(ByteReader& in, ObjectLink& link);
// The window's current Left and Top are written.
bool WriteWindow(ByteWriter& out, const FormSettings& window);
// The stored Left and Top go to storedLeft and storedTop, never into the window.
bool ReadWindow(ByteReader& in, FormSettings& window, int32_t& storedLeft, int32_t& storedTop);
bool WritePanel(ByteWriter& out, const PanelSettings& panel);
bool ReadPanel(ByteReader& in, PanelSettings& panel);
bool WriteLabel(ByteWriter& out, const LabelControl& label);
bool ReadLabel(ByteReader& in, LabelControl& label);
bool WriteButton(ByteWriter& out, const ButtonControl& button);
bool ReadButton(ByteReader& in, ButtonControl& button);
bool WriteImage(ByteWriter& out, const ImageControl& image);
bool ReadImage(ByteReader& in, ImageControl& image);
bool WritePane(ByteWriter& out, const PaneControl& pane);
bool ReadPane(ByteReader& in, PaneControl& pane);
// Fails for a kind outside 0 to 6 and for a control record that does not belong to the kind.
bool WriteObject(ByteWriter& out, const MenuObject& obj);
// obj must be fresh: its kind and control are set from the record.
bool ReadObject(ByteReader& in, MenuObject& obj);

struct SettingsReadResult {
  int32_t StoredLeft = 0;
  int32_t StoredTop = 0;
  // The object count as stored (a negative one reads as no objects) and where it is.
  int32_t StoredObjectCount = 0;
  size_t ObjectCountOffset = 0;
};
bool WriteSettingsBlock(ByteWriter& out, const AppState& state);
// What the file holds of the model, the window's Left and Top left out (a load centres the
// window and moving the design window is no edit): equal contents save the same menu.
std::optional<std::string> ProjectContent(const AppState& state);
// The model matches the project file now (a load or a save): SavedContent takes its content.
void RememberSavedContent(AppState& state);
// True when the model holds what the project file was last loaded or saved with.
bool MatchesSavedContent(const AppState& state);
// Reads straight into the model: the fields before a failure keep their new values, the old
// objects go when the window record begins, objects read completely stay, the failing one does
// not. The window is centred on the screen and told about its new settings.
bool ReadSettingsBlock(ByteReader& in, AppState& state, SettingsReadResult& result);

// The whole file in memory, for the exe, the mnx tool and the fuzzer alike.
enum class ParseOutcome { Loaded, FormatMismatch, IoError };

struct ParseDetails {
  int32_t StoredLeft = 0;
  int32_t StoredTop = 0;
  int32_t StoredObjectCount = 0;
  size_t ObjectCountOffset = 0;
  // Everything after the reserved word up to the extension block: normally the 80 bytes of the
  // trailer.
  std::string Trailer;
  // Where the reading failed.
  size_t FailOffset = 0;
  // Whether the file has an extension block, and whether it was used.
  ExtensionState Extension = ExtensionState::None;
  // The code page the 8-bit strings were read in: the block's, or the system's (0 without code pages).
  uint32_t CodePage = 0;
};

// The magic, the settings block and the reserved word, read into the model (ReservedWord
// included), the strings in the code page the extension block records or else the system's, each
// replaced by its UTF-8 text from a whole block while its 8-bit bytes still match. A block that
// cannot be trusted is ignored and never fails the load; entries it does not know go into
// UnknownExtensions. Nothing is changed for FormatMismatch; for IoError the model is as
// ReadSettingsBlock leaves it. Shows no message.
ParseOutcome ParseProject(AppState& state, const std::string& bytes, ParseDetails* details = nullptr);
// Magic, settings block, ReservedWord, then the trailer bytes as given, the strings in the
// system code page; then the extension block when a string needs it or UnknownExtensions has
// entries. Nothing for a model that cannot be written (an object whose kind or control record
// is invalid).
std::optional<std::string> SerializeProject(const AppState& state, const std::string& trailer);
// Twenty tick counts, each taken as it is written.
std::string TickTrailer(Clock& clock);

// Writes the project through a temporary file so that a failure leaves the previous file intact.
// Failures are reported with ShowError ("IO Error", or the platform's message when the file
// cannot be written).
bool SaveProjectFile(AppState& state, const std::string& path);
// Reads the project into the model and applies its resources and form settings; clears Modified.
// Failures are reported with ShowError.
bool LoadProject(AppState& state, const std::string& path);

}  // namespace corvela
