#pragma once
// UTF-8, the text of the portable core, as code points and back.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace corvela {

// What DecodeUtf8 gives for a byte that does not begin a valid sequence.
inline constexpr uint32_t kNotUtf8 = 0xFFFFFFFFu;

// The code point at text[pos], with pos moved past it. A byte that does not begin a well-formed
// sequence (a stray continuation, a cut or overlong sequence, a surrogate, a value above
// U+10FFFF) gives kNotUtf8 and moves pos by one.
uint32_t DecodeUtf8(std::string_view text, size_t& pos);
// Appends the code point (at most U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, uint32_t codePoint);
bool IsUtf8(std::string_view text);
// True when every byte is below 0x80: text that reads the same in UTF-8 and every 8-bit code page.
// Inline and eight bytes at a time: it runs over every string a project file holds.
inline bool IsAscii(std::string_view text) {
  const char* p = text.data();
  size_t n = text.size();
  uint64_t any = 0;
  for (; n >= 8; p += 8, n -= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    any |= word;
  }
  for (; n > 0; ++p, --n) any |= static_cast<unsigned char>(*p);
  return (any & 0x8080808080808080ull) == 0;
}

}  // namespace corvela
