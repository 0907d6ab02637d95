#include "project/FileStrings.h"

#include "platform/Crc32.h"

namespace corvela {

const std::string& StringEncoder::Convert(uint32_t ordinal, const std::string& text) {
  // Bytes that are not UTF-8 are 8-bit text already, from a caller that has not converted it:
  // they go to the file as they are, which loses nothing, rather than as '?'.
  if (!IsUtf8(text)) return text;
  bool replaced = false;
  Buffer = Codes->FromUtf8(CodePage, text, replaced);
  // Exactly: the bytes must read back as this very text, not merely without a '?'.
  if (replaced || Codes->ToUtf8(CodePage, Buffer) != text) Strings.push_back({ordinal, Crc32(Buffer), text});
  return Buffer;
}

void StringDecoder::Convert(uint32_t ordinal, std::string_view bytes, std::string& text) {
  while (Cursor < Strings.size() && Strings[Cursor].Ordinal < ordinal) ++Cursor;
  if (Cursor < Strings.size() && Strings[Cursor].Ordinal == ordinal && Strings[Cursor].Crc == Crc32(bytes)) {
    text = Strings[Cursor].Text;
    return;
  }
  if (!Codes || IsAscii(bytes))
    text.assign(bytes.data(), bytes.size());
  else
    text = Codes->ToUtf8(CodePage, bytes);
}

}  // namespace corvela
