#include "platform/CodePoints.h"

#include <algorithm>
#include <iterator>

namespace corvela {

namespace {

bool IsContinuation(unsigned char b) {
  return (b & 0xC0u) == 0x80u;
}

struct DirectionRange {
  char32_t First;
  char32_t Last;
  TextDirection Direction;
};

constexpr TextDirection L = TextDirection::LeftToRight;
constexpr TextDirection R = TextDirection::RightToLeft;
constexpr TextDirection N = TextDirection::Neutral;

// Strong characters above ASCII, ascending and not overlapping; whatever lies between is neutral.
// The coarse blocks are refined where a script's block also holds marks, digits or punctuation
// that a caption may start with.
constexpr DirectionRange kDirections[] = {
    {0x00AA, 0x00AA, L},
    {0x00B5, 0x00B5, L},
    {0x00BA, 0x00BA, L},
    {0x00C0, 0x00D6, L},
    {0x00D8, 0x00F6, L},
    {0x00F8, 0x02B8, L},
    {0x02BB, 0x02C1, L},
    {0x02D0, 0x02D1, L},
    {0x02E0, 0x02E4, L},
    {0x02EE, 0x02EE, L},
    {0x0370, 0x0373, L},
    {0x0376, 0x037D, L},
    {0x037F, 0x037F, L},
    {0x0386, 0x0386, L},
    {0x0388, 0x03F5, L},
    {0x03F7, 0x0482, L},
    {0x048A, 0x0589, L},
    // Hebrew: letters and the few punctuation marks of its own; the points are marks.
    {0x05BE, 0x05BE, R},
    {0x05C0, 0x05C0, R},
    {0x05C3, 0x05C3, R},
    {0x05C6, 0x05C6, R},
    {0x05D0, 0x05F4, R},
    // Arabic, Syriac, Thaana, NKo, Samaritan, Mandaic: letters; digits, marks and signs stay neutral.
    {0x0608, 0x0608, R},
    {0x060B, 0x060B, R},
    {0x060D, 0x060D, R},
    {0x061B, 0x064A, R},
    {0x066D, 0x066F, R},
    {0x0671, 0x06D5, R},
    {0x06E5, 0x06E6, R},
    {0x06EE, 0x06EF, R},
    {0x06FA, 0x0710, R},
    {0x0712, 0x072F, R},
    {0x074D, 0x07A5, R},
    {0x07B1, 0x07EA, R},
    {0x07F4, 0x0815, R},
    {0x081A, 0x081A, R},
    {0x0824, 0x0824, R},
    {0x0828, 0x0828, R},
    {0x0830, 0x0858, R},
    {0x085E, 0x0897, R},
    {0x08A0, 0x08C9, R},
    // Indic and the other scripts up to Greek Extended.
    {0x0900, 0x1AAF, L},
    {0x1B00, 0x1DBF, L},
    {0x1E00, 0x1FBC, L},
    {0x1FBE, 0x1FBE, L},
    {0x1FC2, 0x1FCC, L},
    {0x1FD0, 0x1FDB, L},
    {0x1FE0, 0x1FEC, L},
    {0x1FF2, 0x1FFC, L},
    // Direction marks and embeddings.
    {0x200E, 0x200E, L},
    {0x200F, 0x200F, R},
    {0x202A, 0x202A, L},
    {0x202B, 0x202B, R},
    {0x202D, 0x202D, L},
    {0x202E, 0x202E, R},
    // Letterlike symbols, Roman numerals, letters in circles, Braille.
    {0x2071, 0x2071, L},
    {0x207F, 0x207F, L},
    {0x2090, 0x209C, L},
    {0x2102, 0x2102, L},
    {0x2107, 0x2107, L},
    {0x210A, 0x2113, L},
    {0x2115, 0x2115, L},
    {0x2119, 0x211D, L},
    {0x2124, 0x2124, L},
    {0x2126, 0x2126, L},
    {0x2128, 0x2128, L},
    {0x212A, 0x212D, L},
    {0x212F, 0x2139, L},
    {0x213C, 0x213F, L},
    {0x2145, 0x2149, L},
    {0x214E, 0x214F, L},
    {0x2160, 0x2188, L},
    {0x249C, 0x24E9, L},
    {0x2800, 0x28FF, L},
    // Glagolitic to Ethiopic Extended.
    {0x2C00, 0x2CE4, L},
    {0x2CEB, 0x2CEE, L},
    {0x2CF2, 0x2CF3, L},
    {0x2D00, 0x2DDF, L},
    // East Asian scripts; their punctuation and radicals are neutral.
    {0x3005, 0x3007, L},
    {0x3021, 0x3029, L},
    {0x3031, 0x3035, L},
    {0x3038, 0x303C, L},
    {0x3041, 0x3096, L},
    {0x309D, 0x309F, L},
    {0x30A1, 0x30FA, L},
    {0x30FC, 0x31BF, L},
    {0x31F0, 0x321C, L},
    {0x3220, 0x324F, L},
    {0x3260, 0x327B, L},
    {0x327F, 0x32B0, L},
    {0x32C0, 0x32CB, L},
    {0x32D0, 0x3376, L},
    {0x337B, 0x33DD, L},
    {0x33E0, 0x33FE, L},
    {0x3400, 0x4DBF, L},
    {0x4E00, 0xA48F, L},
    {0xA4D0, 0xA60C, L},
    {0xA610, 0xA66E, L},
    {0xA680, 0xA69D, L},
    {0xA6A0, 0xA6EF, L},
    {0xA722, 0xA787, L},
    {0xA789, 0xA801, L},
    {0xA803, 0xA805, L},
    {0xA807, 0xA80A, L},
    {0xA80C, 0xA824, L},
    {0xA830, 0xA837, L},
    {0xA840, 0xA873, L},
    {0xA880, 0xD7FF, L},
    // Private use, compatibility ideographs, Latin and Armenian ligatures.
    {0xE000, 0xFB17, L},
    // Hebrew and Arabic presentation forms.
    {0xFB1D, 0xFB1D, R},
    {0xFB1F, 0xFB28, R},
    {0xFB2A, 0xFD3D, R},
    {0xFD40, 0xFDCE, R},
    {0xFDF0, 0xFDFC, R},
    {0xFE70, 0xFEFE, R},
    // Full-width Latin and half-width forms.
    {0xFF21, 0xFF3A, L},
    {0xFF41, 0xFF5A, L},
    {0xFF66, 0xFFDC, L},
    // Supplementary planes: historic scripts of both directions, mathematical letters, ideographs.
    {0x10000, 0x107FF, L},
    {0x10800, 0x10FFF, R},
    {0x11000, 0x1E7FF, L},
    {0x1E800, 0x1EFFF, R},
    {0x20000, 0x3FFFF, L},
};

constexpr bool AscendingAndApart() {
  for (size_t i = 0; i < std::size(kDirections); ++i) {
    if (kDirections[i].Last < kDirections[i].First) return false;
    if (i > 0 && kDirections[i].First <= kDirections[i - 1].Last) return false;
  }
  return true;
}
static_assert(AscendingAndApart(), "the direction table is searched by halving");

TextDirection DirectionOfCodePoint(char32_t c) {
  if (c < 0x80) return ((c | 0x20u) >= 'a' && (c | 0x20u) <= 'z') ? L : N;
  const auto* end = std::end(kDirections);
  const auto* it = std::upper_bound(std::begin(kDirections), end, c,
                                    [](char32_t v, const DirectionRange& r) { return v < r.First; });
  if (it == std::begin(kDirections)) return N;
  --it;
  return c <= it->Last ? it->Direction : N;
}

}  // namespace

char32_t NextCodePoint(const std::string& text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  size_t length = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1Fu, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0Fu, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07u, least = 0x10000;
  }
  bool wellFormed = length > 0 && pos + length <= text.size();
  for (size_t i = 1; wellFormed && i < length; ++i) {
    wellFormed = IsContinuation(byte(pos + i));
    c = (c << 6) | (byte(pos + i) & 0x3Fu);
  }
  // Overlong forms, surrogates and values past the last code point are not UTF-8.
  if (wellFormed && c >= least && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) {
    pos += length;
    return c;
  }
  ++pos;
  return lead;
}

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

TextDirection DirectionOf(const std::string& text) {
  for (size_t pos = 0; pos < text.size();) {
    const TextDirection d = DirectionOfCodePoint(NextCodePoint(text, pos));
    if (d != N) return d;
  }
  return N;
}

}  // namespace corvela
