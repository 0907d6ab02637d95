#include "project/ProjectExtension.h"

#include <limits>

#include "platform/Crc32.h"
#include "platform/Utf8.h"
#include "project/ByteStream.h"

namespace corvela {

namespace {

constexpr size_t kFooterSize = 8;
// The version and the CRC.
constexpr size_t kEmptyBlockSize = 8;

uint32_t U32At(std::string_view bytes, size_t at) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return v;
}

// The entries between the version and the CRC; false for one that does not fit or does not
// have the layout of its tag.
bool ReadEntries(std::string_view entries, ExtensionBlock& block) {
  size_t pos = 0;
  while (pos < entries.size()) {
    if (entries.size() - pos < 8) return false;
    const uint32_t tag = U32At(entries, pos);
    const uint32_t length = U32At(entries, pos + 4);
    pos += 8;
    if (length > entries.size() - pos) return false;
    const std::string_view data = entries.substr(pos, length);
    pos += length;
    if (tag == kCodePageTag) {
      if (data.size() != 4) return false;
      if (!block.CodePage) block.CodePage = U32At(data, 0);
    } else if (tag == kUnicodeStringTag) {
      if (data.size() < 8) return false;
      const std::string_view text = data.substr(8);
      const uint32_t ordinal = U32At(data, 0);
      // One entry per string, in file order; and the model holds UTF-8 and nothing else.
      if ((!block.Strings.empty() && ordinal <= block.Strings.back().Ordinal) || !IsUtf8(text)) return false;
      block.Strings.push_back({ordinal, U32At(data, 4), std::string(text)});
    } else if (tag == kDiscLabelTag) {
      if (!IsUtf8(data)) return false;
      block.DiscLabel = std::string(data);
    } else if (tag == kStartPageTag) {
      if (data.size() != 4) return false;
      block.StartPage = (U32At(data, 0) & kStartPageOn) != 0;
    } else {
      block.Unknown.push_back({tag, std::string(data)});
    }
  }
  return true;
}

void PutEntry(ByteWriter& out, uint32_t tag, const std::string& data) {
  out.U32(tag);
  out.U32(static_cast<uint32_t>(data.size()));
  out.Raw(data);
}

}  // namespace

bool IsKnownExtensionTag(uint32_t tag) {
  return tag == kCodePageTag || tag == kUnicodeStringTag || tag == kDiscLabelTag || tag == kStartPageTag;
}

ExtensionBlock ReadExtensionBlock(std::string_view file, size_t bodySize) {
  ExtensionBlock block;
  block.Start = file.size();
  if (file.size() < bodySize || file.size() - bodySize < kFooterSize) return block;
  if (U32At(file, file.size() - 4) != kExtensionMagic) return block;
  // A block that cannot be used takes nothing from the file either: the body is read to the end,
  // so that no claim of a damaged footer can cut it short.
  block.State = ExtensionState::Ignored;
  // The length is only a claim of the file: it must leave room for the body and the footer.
  const uint32_t length = U32At(file, file.size() - kFooterSize);
  if (length < kEmptyBlockSize || length > file.size() - bodySize - kFooterSize) return block;
  const size_t start = file.size() - kFooterSize - length;
  const std::string_view bytes = file.substr(start, length);
  const std::string_view covered = bytes.substr(0, length - 4);
  if (Crc32(covered) != U32At(bytes, length - 4) || U32At(covered, 0) != kExtensionVersion) return block;
  ExtensionBlock read;
  read.Start = start;
  if (!ReadEntries(covered.substr(4), read)) return block;
  read.State = ExtensionState::Read;
  return read;
}

bool HasBlockSettings(const MenuProject& project) {
  return !project.DiscLabel.empty() || project.PublishStartPage;
}

std::optional<std::string> ExtensionBlockBytes(uint32_t codePage, const std::vector<UnicodeString>& strings,
                                               const MenuProject& settings, const std::vector<ExtensionEntry>& kept) {
  constexpr size_t kMax = std::numeric_limits<uint32_t>::max();
  ByteWriter out;
  out.U32(kExtensionVersion);
  ByteWriter page;
  page.U32(codePage);
  PutEntry(out, kCodePageTag, page.Bytes());
  for (const UnicodeString& s : strings) {
    if (s.Text.size() > kMax - 8) return std::nullopt;
    ByteWriter entry;
    entry.U32(s.Ordinal);
    entry.U32(s.Crc);
    entry.Raw(s.Text);
    PutEntry(out, kUnicodeStringTag, entry.Bytes());
  }
  if (!settings.DiscLabel.empty()) {
    if (settings.DiscLabel.size() > kMax) return std::nullopt;
    PutEntry(out, kDiscLabelTag, settings.DiscLabel);
  }
  if (settings.PublishStartPage) {
    ByteWriter flags;
    flags.U32(kStartPageOn);
    PutEntry(out, kStartPageTag, flags.Bytes());
  }
  for (const ExtensionEntry& e : kept) {
    if (e.Bytes.size() > kMax) return std::nullopt;
    PutEntry(out, e.Tag, e.Bytes);
  }
  if (out.Bytes().size() > kMax - 4) return std::nullopt;
  out.U32(Crc32(out.Bytes()));
  const auto length = static_cast<uint32_t>(out.Bytes().size());
  out.U32(length);
  out.U32(kExtensionMagic);
  return out.Take();
}

}  // namespace corvela
