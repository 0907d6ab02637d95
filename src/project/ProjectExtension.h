#pragma once
// The extension block of AutoRun.mnx, after the 80-byte trailer that older readers never read:
// what the 8-bit strings cannot hold, and room for later settings. It is found from the end of
// the file, so a reader never guesses where a trailer ends:
//
//   block   u32 version (1), the entries, u32 CRC-32 of the version and the entries
//   entry   u32 tag, u32 length, that many bytes
//   footer  u32 length of the block (version to CRC), u32 kExtensionMagic: the file's last 8 bytes
//
// Tags are four ASCII characters in file order. A reader skips entries it does not know, and the
// model keeps them to write back unchanged.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/FileStrings.h"
#include "project/Model.h"

namespace corvela {

constexpr uint32_t ExtensionTag(const char (&name)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(name[0])) |
         static_cast<uint32_t>(static_cast<uint8_t>(name[1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(name[2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(name[3])) << 24;
}

inline constexpr uint32_t kExtensionMagic = ExtensionTag("MNX+");
inline constexpr uint32_t kExtensionVersion = 1;
// u32: the code page of the file's 8-bit strings.
inline constexpr uint32_t kCodePageTag = ExtensionTag("CPAG");
// u32 ordinal of the string among all the file's strings (from 0, in file order), u32 CRC-32 of
// its 8-bit bytes, then its UTF-8 text to the end of the entry. One per string at most, in
// ascending ordinals.
inline constexpr uint32_t kUnicodeStringTag = ExtensionTag("UTF8");
// The disc's label as UTF-8 text; written only when one is set.
inline constexpr uint32_t kDiscLabelTag = ExtensionTag("LABL");
// u32 bit set; bit 0: Save publishes the start page. Written only when a bit is set.
inline constexpr uint32_t kStartPageTag = ExtensionTag("PAGE");
inline constexpr uint32_t kStartPageOn = 1;
// The code page recorded when strings were written as UTF-8 (a platform without code pages).
inline constexpr uint32_t kUtf8CodePage = 65001;

// True for the tags this version writes from the model itself.
bool IsKnownExtensionTag(uint32_t tag);

enum class ExtensionState {
  None,     // the file ends with its trailer
  Read,     // a whole block, used
  Ignored,  // a block whose checksum, layout or version cannot be trusted: nothing of it is used
};

struct ExtensionBlock {
  ExtensionState State = ExtensionState::None;
  // Where the block begins: the end of the trailer; the file's end when no block is used.
  size_t Start = 0;
  std::optional<uint32_t> CodePage;
  std::vector<UnicodeString> Strings;  // ascending ordinals
  std::string DiscLabel;
  std::vector<ExtensionEntry> Unknown;
  bool StartPage = false;
};

// The block at the end of file, whose body takes at least its first bodySize bytes. Reads only
// within file and allocates only what the file holds.
ExtensionBlock ReadExtensionBlock(std::string_view file, size_t bodySize);
// The block and its footer: the code page, the strings, then the kept entries. Nothing when a
// length does not fit its 32 bits.
// The settings of the model that live only in the block (the disc label, the start page) come
// after the strings.
std::optional<std::string> ExtensionBlockBytes(uint32_t codePage, const std::vector<UnicodeString>& strings,
                                               const MenuProject& settings, const std::vector<ExtensionEntry>& kept);
// True when the model sets something that only the block can hold.
bool HasBlockSettings(const MenuProject& project);

}  // namespace corvela
