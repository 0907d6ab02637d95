#include "project/ByteStream.h"

#include <limits>
#include <string_view>

#include "project/FileStrings.h"

namespace corvela {

void ByteWriter::U32(uint32_t value) {
  const char bytes[4] = {static_cast<char>(value & 0xFFu), static_cast<char>((value >> 8) & 0xFFu),
                         static_cast<char>((value >> 16) & 0xFFu), static_cast<char>((value >> 24) & 0xFFu)};
  Out.append(bytes, 4);
}

bool ByteWriter::Str(const std::string& text) {
  const std::string& bytes = Encoder ? Encoder->Encode(text) : text;
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
  I32(static_cast<int32_t>(bytes.size()));
  Out += bytes;
  return true;
}

bool ByteReader::U8(uint8_t& value) {
  if (Remaining() < 1) return false;
  value = static_cast<uint8_t>(Data[Pos++]);
  return true;
}

bool ByteReader::Bool(bool& value) {
  uint8_t byte = 0;
  if (!U8(byte)) return false;
  value = byte != 0;
  return true;
}

bool ByteReader::U32(uint32_t& value) {
  if (Remaining() < 4) return false;
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(Data[Pos + i])) << (8 * i);
  Pos += 4;
  value = v;
  return true;
}

bool ByteReader::I32(int32_t& value) {
  uint32_t raw = 0;
  if (!U32(raw)) return false;
  value = static_cast<int32_t>(raw);
  return true;
}

bool ByteReader::Str(std::string& text) {
  const size_t start = Pos;
  int32_t count = 0;
  if (!I32(count)) return false;
  // The count is only a claim of the file: check it against what is there before allocating.
  if (count < 0 || static_cast<size_t>(count) > Remaining()) {
    Pos = start;
    return false;
  }
  const std::string_view bytes(Data + Pos, static_cast<size_t>(count));
  if (Decoder)
    Decoder->Decode(bytes, text);
  else
    text.assign(bytes.data(), bytes.size());
  Pos += static_cast<size_t>(count);
  return true;
}

std::string ByteReader::Rest() {
  std::string rest(Data + Pos, Remaining());
  Pos = Size;
  return rest;
}

}  // namespace corvela
