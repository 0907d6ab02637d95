#include "project/ExeSignature.h"

#include <cstdint>

namespace corvela {

namespace {
uint32_t Le(std::string_view bytes, size_t at, size_t size) {
  uint32_t v = 0;
  for (size_t i = 0; i < size; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return v;
}
}  // namespace

ExeSignature SignatureOf(std::string_view bytes) {
  if (bytes.size() < 0x40 || bytes.substr(0, 2) != "MZ") return ExeSignature::NotAProgram;
  const size_t pe = Le(bytes, 0x3C, 4);
  // The signature, the file header (20 bytes) and the optional header's magic.
  if (pe > bytes.size() || bytes.size() - pe < 26 || bytes.substr(pe, 4) != std::string_view("PE\0\0", 4))
    return ExeSignature::NotAProgram;
  const size_t optional = pe + 24;
  const uint32_t optionalSize = Le(bytes, pe + 20, 2);
  const uint32_t magic = Le(bytes, optional, 2);
  // Where the count of data directories and the directories start, for 32- and 64-bit programs.
  size_t countAt = 0;
  if (magic == 0x10B)
    countAt = 92;
  else if (magic == 0x20B)
    countAt = 108;
  else
    return ExeSignature::NotAProgram;
  constexpr size_t kSecurity = 4;
  const size_t entry = countAt + 4 + kSecurity * 8;
  if (optionalSize < entry + 8 || bytes.size() - optional < entry + 8) return ExeSignature::NotAProgram;
  if (Le(bytes, optional + countAt, 4) <= kSecurity) return ExeSignature::Unsigned;
  // The certificate table's entry holds a file offset, not an address, and its size.
  const uint64_t offset = Le(bytes, optional + entry, 4), size = Le(bytes, optional + entry + 4, 4);
  if (offset == 0 || size == 0 || offset + size > bytes.size()) return ExeSignature::Unsigned;
  return ExeSignature::Signed;
}

}  // namespace corvela
