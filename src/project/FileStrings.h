#pragma once
// The strings of a project file in their 8-bit places, in one code page and counted in file order.
// A string the code page cannot hold exactly also travels as UTF-8 in the extension block, under
// its ordinal and with a checksum of its 8-bit bytes; a reader takes that text only while the
// 8-bit bytes still match, so a file edited by an 8-bit tool keeps that tool's text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "platform/Utf8.h"

namespace corvela {

// The UTF-8 text of one string of the file.
struct UnicodeString {
  uint32_t Ordinal = 0;  // among all strings the file holds, from 0, in file order
  uint32_t Crc = 0;      // CRC-32 of the string's 8-bit bytes
  std::string Text;
};

class StringEncoder {
 public:
  // Without codes, strings are written as they are and nothing is collected.
  StringEncoder(CodePages* codes, uint32_t codePage) : Codes(codes), CodePage(codePage) {}

  // The 8-bit bytes of the next string: text itself or a buffer valid until the next call. ASCII
  // is the same in every code page, and most strings (paths, names) are nothing else; text that is
  // not UTF-8 is taken to be 8-bit already and written as it is.
  const std::string& Encode(const std::string& text) {
    const uint32_t ordinal = Next++;
    return !Codes || IsAscii(text) ? text : Convert(ordinal, text);
  }
  uint32_t Page() const { return CodePage; }
  // The strings the code page could not hold exactly, in ascending ordinals.
  const std::vector<UnicodeString>& Unicode() const { return Strings; }

 private:
  const std::string& Convert(uint32_t ordinal, const std::string& text);

  CodePages* Codes;
  uint32_t CodePage;
  uint32_t Next = 0;
  std::string Buffer;
  std::vector<UnicodeString> Strings;
};

class StringDecoder {
 public:
  // unicode: the strings of a whole extension block in ascending ordinals, or none; it must
  // outlive the decoder. Without codes, strings are read as they are.
  StringDecoder(CodePages* codes, uint32_t codePage, const std::vector<UnicodeString>& unicode)
      : Codes(codes), CodePage(codePage), Strings(unicode) {}

  // The text of the next string, from its 8-bit bytes.
  void Decode(std::string_view bytes, std::string& text) {
    const uint32_t ordinal = Next++;
    if (Cursor < Strings.size() || (Codes && !IsAscii(bytes)))
      Convert(ordinal, bytes, text);
    else
      text.assign(bytes.data(), bytes.size());
  }

 private:
  void Convert(uint32_t ordinal, std::string_view bytes, std::string& text);

  CodePages* Codes;
  uint32_t CodePage;
  uint32_t Next = 0;
  const std::vector<UnicodeString>& Strings;
  size_t Cursor = 0;
};

}  // namespace corvela
