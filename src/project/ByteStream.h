#pragma once
// Little-endian fields in a byte string: the primitives of the project file and of the records
// the designer keeps (undo steps, clipboard records). Strings are carried as the model holds them,
// UTF-8, unless a writer or reader is given the project file's 8-bit strings (FileStrings.h).

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvela {

class StringEncoder;
class StringDecoder;

// Appends little-endian fields to a byte string.
class ByteWriter {
 public:
  ByteWriter() = default;
  // Strings go into their 8-bit form through encoder, which must outlive the writer.
  explicit ByteWriter(StringEncoder& encoder) : Encoder(&encoder) {}

  void U8(uint8_t value) { Out.push_back(static_cast<char>(value)); }
  void Bool(bool value) { U8(value ? 1 : 0); }
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void U32(uint32_t value);
  // A count and the bytes; fails only for a string too long for its 32-bit count.
  bool Str(const std::string& text);
  void Raw(const std::string& bytes) { Out += bytes; }
  void Reserve(size_t size) { Out.reserve(size); }
  const std::string& Bytes() const { return Out; }
  std::string Take() { return std::move(Out); }

 private:
  std::string Out;
  StringEncoder* Encoder = nullptr;
};

// Reads little-endian fields from a bounded buffer. A read that would pass the end fails and
// leaves both the target and the position as they were.
class ByteReader {
 public:
  // Strings come out of their 8-bit form through decoder, when given; it must outlive the reader.
  ByteReader(const char* data, size_t size, StringDecoder* decoder = nullptr)
      : Data(data), Size(size), Decoder(decoder) {}
  explicit ByteReader(const std::string& bytes) : ByteReader(bytes.data(), bytes.size()) {}

  bool U8(uint8_t& value);
  // Any byte other than 0 reads as true.
  bool Bool(bool& value);
  bool I32(int32_t& value);
  bool U32(uint32_t& value);
  // Fails for a negative count or one larger than the bytes left, before allocating anything.
  bool Str(std::string& text);
  size_t Offset() const { return Pos; }
  size_t Remaining() const { return Size - Pos; }
  std::string Rest();

 private:
  const char* Data;
  size_t Size;
  size_t Pos = 0;
  StringDecoder* Decoder = nullptr;
};

}  // namespace corvela
