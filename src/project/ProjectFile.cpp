#include "project/ProjectFile.h"

#include <exception>
#include <limits>

#include "platform/Platform.h"
#include "project/FileStrings.h"
#include "project/ProjectFields.h"
#include "project/Resources.h"

namespace corvela {

// ---------------------------------------------------------------- fields by type

namespace {

bool PutField(ByteWriter& out, uint8_t value) {
  out.U8(value);
  return true;
}
bool PutField(ByteWriter& out, bool value) {
  out.Bool(value);
  return true;
}
bool PutField(ByteWriter& out, int32_t value) {
  out.I32(value);
  return true;
}
bool PutField(ByteWriter& out, uint32_t value) {
  out.U32(value);
  return true;
}
bool PutField(ByteWriter& out, LinkAction value) {
  out.U8(static_cast<uint8_t>(value));
  return true;
}
bool PutField(ByteWriter& out, const std::string& value) {
  return WriteString(out, value);
}
bool PutField(ByteWriter& out, const FontRecord& value) {
  return WriteFont(out, value);
}

bool GetField(ByteReader& in, uint8_t& value) {
  return in.U8(value);
}
bool GetField(ByteReader& in, bool& value) {
  return in.Bool(value);
}
bool GetField(ByteReader& in, int32_t& value) {
  return in.I32(value);
}
bool GetField(ByteReader& in, uint32_t& value) {
  return in.U32(value);
}
bool GetField(ByteReader& in, LinkAction& value) {
  uint8_t byte = 0;
  if (!in.U8(byte)) return false;
  value = static_cast<LinkAction>(byte);
  return true;
}
bool GetField(ByteReader& in, std::string& value) {
  return ReadString(in, value);
}
bool GetField(ByteReader& in, FontRecord& value) {
  return ReadFont(in, value);
}

auto Putter(ByteWriter& out) {
  return [&out](const char*, const auto& value) { return PutField(out, value); };
}
auto Getter(ByteReader& in) {
  return [&in](const char*, auto& value) { return GetField(in, value); };
}

}  // namespace

// ---------------------------------------------------------------- records

bool WriteString(ByteWriter& out, const std::string& text) {
  return out.Str(text);
}
bool ReadString(ByteReader& in, std::string& text) {
  return in.Str(text);
}

bool WriteFont(ByteWriter& out, const FontRecord& font) {
  return fields::FontFields(font, Putter(out));
}
bool ReadFont(ByteReader& in, FontRecord& font) {
  return fields::FontFields(font, Getter(in));
}

bool WriteLink(ByteWriter& out, const ObjectLink& link) {
  return fields::LinkFields(link, Putter(out));
}
bool ReadLink(ByteReader& in, ObjectLink& link) {
  return fields::LinkFields(link, Getter(in));
}

bool WriteWindow(ByteWriter& out, const FormSettings& window) {
  return fields::WindowFields(window, window.Left, window.Top, Putter(out));
}
bool ReadWindow(ByteReader& in, FormSettings& window, int32_t& storedLeft, int32_t& storedTop) {
  return fields::WindowFields(window, storedLeft, storedTop, Getter(in));
}

bool WritePanel(ByteWriter& out, const PanelSettings& panel) {
  return fields::PanelFields(panel, Putter(out));
}
bool ReadPanel(ByteReader& in, PanelSettings& panel) {
  return fields::PanelFields(panel, Getter(in));
}

bool WriteLabel(ByteWriter& out, const LabelControl& label) {
  return fields::LabelFields(label, Putter(out));
}
bool ReadLabel(ByteReader& in, LabelControl& label) {
  return fields::LabelFields(label, Getter(in));
}
bool WriteButton(ByteWriter& out, const ButtonControl& button) {
  return fields::ButtonFields(button, Putter(out));
}
bool ReadButton(ByteReader& in, ButtonControl& button) {
  return fields::ButtonFields(button, Getter(in));
}
bool WriteImage(ByteWriter& out, const ImageControl& image) {
  return fields::ImageFields(image, Putter(out));
}
bool ReadImage(ByteReader& in, ImageControl& image) {
  return fields::ImageFields(image, Getter(in));
}
bool WritePane(ByteWriter& out, const PaneControl& pane) {
  return fields::PaneFields(pane, Putter(out));
}
bool ReadPane(ByteReader& in, PaneControl& pane) {
  return fields::PaneFields(pane, Getter(in));
}

bool WriteObject(ByteWriter& out, const MenuObject& obj) {
  const auto kind = static_cast<uint8_t>(obj.Kind);
  // A record that does not match its kind would be read back as a different one.
  if (!IsValidKind(kind) || !fields::ControlMatchesKind(obj)) return false;
  out.U8(kind);
  return WriteLink(out, obj.Link) && fields::ObjectFileFields(obj, Putter(out)) &&
         fields::ControlFields(obj.Control, Putter(out));
}

bool ReadObject(ByteReader& in, MenuObject& obj) {
  obj.Hot = false;
  obj.Selected = false;
  uint8_t kind = 0;
  if (!in.U8(kind)) return false;
  // A kind outside 0 to 6 has no control to read into, so nothing after it can be read either.
  // It fails like any other unreadable record, and the load reports "IO Error": one message that
  // says the file is damaged tells the user more than a load that stops silently.
  if (!IsValidKind(kind)) return false;
  obj.Kind = static_cast<ObjectKind>(kind);
  obj.Control = DefaultControlFor(obj.Kind);
  return ReadLink(in, obj.Link) && fields::ObjectFileFields(obj, Getter(in)) &&
         fields::ControlFields(obj.Control, Getter(in));
}

namespace {

bool WriteSettings(ByteWriter& out, const MenuProject& p, const FormSettings& form) {
  if (!WriteString(out, p.FormIcon) || !WriteString(out, p.StartSound)) return false;
  out.U32(p.BackColor);
  out.U32(p.GradientColor);
  out.U8(p.GradientStyle);
  if (!WriteLink(out, p.StartLink) || !WriteWindow(out, form) || !WritePanel(out, p.Panel)) return false;
  if (p.Objects.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
  out.I32(static_cast<int32_t>(p.Objects.size()));
  for (const auto& obj : p.Objects)
    if (!obj || !WriteObject(out, *obj)) return false;
  return true;
}

}  // namespace

bool WriteSettingsBlock(ByteWriter& out, const AppState& state) {
  return WriteSettings(out, state.Project, state.Project.Form);
}

std::optional<std::string> ProjectContent(const AppState& state) {
  FormSettings form = state.Project.Form;
  form.Left = 0;
  form.Top = 0;
  ByteWriter out;
  if (!WriteSettings(out, state.Project, form)) return std::nullopt;
  // What only the extension block holds is content too.
  out.U32(static_cast<uint32_t>(state.Project.DiscLabel.size()));
  out.Raw(state.Project.DiscLabel);
  if (state.Project.PublishStartPage) out.U8(1);
  return out.Take();
}

void RememberSavedContent(AppState& state) { state.SavedContent = ProjectContent(state); }

bool MatchesSavedContent(const AppState& state) {
  if (!state.SavedContent) return false;
  const std::optional<std::string> now = ProjectContent(state);
  return now && *now == *state.SavedContent;
}

bool ReadSettingsBlock(ByteReader& in, AppState& state, SettingsReadResult& result) {
  MenuProject& p = state.Project;
  if (!ReadString(in, p.FormIcon) || !ReadString(in, p.StartSound) || !in.U32(p.BackColor) ||
      !in.U32(p.GradientColor) || !in.U8(p.GradientStyle) || !ReadLink(in, p.StartLink))
    return false;

  // The previous objects go as soon as the window record begins, even if it then fails.
  ClearObjects(state);
  const bool windowRead = ReadWindow(in, p.Form, result.StoredLeft, result.StoredTop);
  if (windowRead) CentreWindowOnScreen(state);
  const bool panelRead = windowRead && ReadPanel(in, p.Panel);
  // The window shows whatever of its settings arrived, as a live window would have.
  if (state.View) state.View->FormSettingsChanged();
  if (!panelRead) return false;

  int32_t count = 0;
  result.ObjectCountOffset = in.Offset();
  if (!in.I32(count)) return false;
  result.StoredObjectCount = count;
  // Objects are appended one by one as they are read: the count is only a claim of the file
  // and reserves nothing.
  bool allRead = true;
  for (int32_t i = 0; i < count && allRead; ++i) {
    auto obj = std::make_unique<MenuObject>();
    allRead = ReadObject(in, *obj);
    if (allRead) p.Objects.push_back(std::move(obj));
  }
  // A file cut short keeps the objects read so far, and the player acts on them by their tags.
  RenumberTags(state);
  return allRead;
}

// ---------------------------------------------------------------- whole files

namespace {

// Magic, settings block and reserved word: everything but the trailer and the extension block.
std::optional<std::string> SerializeBody(const AppState& state, StringEncoder& strings) {
  ByteWriter out(strings);
  // Room for a typical object record, so that a large menu is not copied again at every doubling.
  out.Reserve(512 + 192 * state.Project.Objects.size());
  out.U32(kProjectMagic);
  if (!WriteSettingsBlock(out, state)) return std::nullopt;
  out.I32(state.ReservedWord);
  return out.Take();
}

// The whole file with the trailer that trailerFor makes once the body is written.
template <class Trailer>
std::optional<std::string> SerializeFile(const AppState& state, Trailer&& trailerFor) {
  CodePages* codes = state.Env.Codes;
  StringEncoder strings(codes, codes ? codes->SystemCodePage() : kUtf8CodePage);
  std::optional<std::string> bytes = SerializeBody(state, strings);
  if (!bytes) return std::nullopt;
  *bytes += trailerFor();
  // An 8-bit project that sets nothing new stays byte for byte what older versions wrote, unless
  // its trailer ends like a block (only a made-up one can) and would be read as one.
  if (strings.Unicode().empty() && state.Project.UnknownExtensions.empty() && !HasBlockSettings(state.Project) &&
      ReadExtensionBlock(*bytes, 4).State == ExtensionState::None)
    return bytes;
  const std::optional<std::string> block =
      ExtensionBlockBytes(strings.Page(), strings.Unicode(), state.Project, state.Project.UnknownExtensions);
  if (!block) return std::nullopt;
  *bytes += *block;
  return bytes;
}

}  // namespace

namespace {

// Everything before the block, its strings as the block says. False, with where it failed, when
// a field cannot be read.
bool ReadBody(AppState& state, const std::string& bytes, const ExtensionBlock& block, ParseDetails& details) {
  std::optional<StringDecoder> strings;
  std::optional<ByteReader> in;
  try {
    CodePages* codes = state.Env.Codes;
    uint32_t codePage = codes ? codes->SystemCodePage() : 0;
    if (codes && block.CodePage && codes->Supports(*block.CodePage)) codePage = *block.CodePage;
    details.Extension = block.State;
    details.CodePage = codePage;
    strings.emplace(codes, codePage, block.Strings);
    in.emplace(bytes.data(), block.Start, &*strings);
    uint32_t magic = 0;
    in->U32(magic);
    state.Project.UnknownExtensions = block.Unknown;
    state.Project.DiscLabel = block.DiscLabel;
    state.Project.PublishStartPage = block.StartPage;
    SettingsReadResult settings;
    int32_t reserved = 0;
    if (!ReadSettingsBlock(*in, state, settings) || !in->I32(reserved)) {
      details.FailOffset = in->Offset();
      return false;
    }
    state.ReservedWord = reserved;
    details.StoredLeft = settings.StoredLeft;
    details.StoredTop = settings.StoredTop;
    details.StoredObjectCount = settings.StoredObjectCount;
    details.ObjectCountOffset = settings.ObjectCountOffset;
    details.Trailer = in->Rest();
    return true;
  } catch (const std::exception&) {
    // Running out of memory half-way is one more way for the file not to load.
    details.FailOffset = in ? in->Offset() : 0;
    return false;
  }
}

}  // namespace

ParseOutcome ParseProject(AppState& state, const std::string& bytes, ParseDetails* details) {
  uint32_t magic = 0;
  // A file too short to hold the magic does not begin with it either, and stays untouched.
  if (ByteReader probe(bytes); !probe.U32(magic) || magic != kProjectMagic) return ParseOutcome::FormatMismatch;
  ParseDetails own;
  ParseDetails& read = details ? *details : own;
  ExtensionBlock block;
  try {
    block = ReadExtensionBlock(bytes, 4);
  } catch (const std::exception&) {
    block = ExtensionBlock{ExtensionState::Ignored, bytes.size(), {}, {}, {}, {}};
  }
  if (ReadBody(state, bytes, block, read)) return ParseOutcome::Loaded;
  // A block whose claimed length reaches into the settings never fails a file that loads without it.
  if (block.State != ExtensionState::Read) return ParseOutcome::IoError;
  const ExtensionBlock none{ExtensionState::Ignored, bytes.size(), {}, {}, {}, {}};
  return ReadBody(state, bytes, none, read) ? ParseOutcome::Loaded : ParseOutcome::IoError;
}

std::optional<std::string> SerializeProject(const AppState& state, const std::string& trailer) {
  try {
    return SerializeFile(state, [&] { return trailer; });
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string TickTrailer(Clock& clock) {
  ByteWriter out;
  for (int i = 0; i < kTrailerWords; ++i) out.U32(clock.TickCount());
  return out.Take();
}

bool SaveProjectFile(AppState& state, const std::string& path) {
  std::optional<std::string> bytes;
  try {
    bytes = SerializeFile(state, [&] { return TickTrailer(*state.Env.Ticks); });
  } catch (const std::exception&) {
    bytes.reset();
  }
  if (!bytes) {
    ShowError(state.Env, "IO Error");
    return false;
  }
  std::string error;
  if (!state.Env.Files->SaveFileSafely(path, *bytes, error)) {
    ShowError(state.Env, error);
    return false;
  }
  return true;
}

bool LoadProject(AppState& state, const std::string& path) {
  FileSystem& files = *state.Env.Files;
  if (!files.FileExists(path)) {
    ShowError(state.Env, "File \"" + path + "\" not found");
    return false;
  }
  std::string bytes, error;
  if (!files.ReadFile(path, bytes, error)) {
    ShowError(state.Env, error);
    return false;
  }
  switch (ParseProject(state, bytes)) {
    case ParseOutcome::FormatMismatch:
      ShowError(state.Env, "File format not match");
      return false;
    case ParseOutcome::IoError:
      ShowError(state.Env, "IO Error");
      return false;
    case ParseOutcome::Loaded:
      break;
  }
  ApplyAllObjectResources(state);
  ApplyFormSettings(state);
  state.Modified = false;
  return true;
}

}  // namespace corvela
