#include "platform/PictureRules.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace corvela {

namespace {
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr size_t kMetaHeaderSize = 18;

uint16_t Word(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               (static_cast<unsigned char>(bytes[at + 1]) << 8));
}
uint32_t DWord(const std::string& bytes, size_t at) {
  return Word(bytes, at) | (static_cast<uint32_t>(Word(bytes, at + 2)) << 16);
}
}  // namespace

PictureFormat PictureFormatFor(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return PictureFormat::None;
  std::string ext = path.substr(dot);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (ext == ".bmp") return PictureFormat::Bitmap;
  if (ext == ".ico") return PictureFormat::Icon;
  if (ext == ".jpg" || ext == ".jpeg") return PictureFormat::Jpeg;
  if (ext == ".gif") return PictureFormat::Gif;
  if (ext == ".png") return PictureFormat::Png;
  if (ext == ".emf") return PictureFormat::EnhancedMetafile;
  if (ext == ".wmf") return PictureFormat::WindowsMetafile;
  return PictureFormat::None;
}

std::optional<PlaceableMetafile> ParsePlaceableMetafile(const std::string& bytes) {
  if (bytes.size() < kPlaceableHeaderSize + kMetaHeaderSize || DWord(bytes, 0) != kPlaceableKey) return std::nullopt;
  const int left = static_cast<int16_t>(Word(bytes, 6)), top = static_cast<int16_t>(Word(bytes, 8));
  const int right = static_cast<int16_t>(Word(bytes, 10)), bottom = static_cast<int16_t>(Word(bytes, 12));
  const int inch = Word(bytes, 14);
  const uint16_t type = Word(bytes, kPlaceableHeaderSize), headerWords = Word(bytes, kPlaceableHeaderSize + 2);
  if (inch == 0 || (type != 1 && type != 2) || headerWords != kMetaHeaderSize / 2) return std::nullopt;
  PlaceableMetafile header;
  header.UnitsWide = std::abs(right - left);
  header.UnitsHigh = std::abs(bottom - top);
  header.UnitsPerInch = inch;
  header.RecordsOffset = kPlaceableHeaderSize;
  if (header.UnitsWide == 0 || header.UnitsHigh == 0) return std::nullopt;
  return header;
}

size_t BestIconImage(const std::vector<IconImage>& images, uint32_t iconWidth, uint32_t iconHeight) {
  size_t best = 0;
  std::tuple<bool, uint64_t, int> bestScore{false, 0, -1};
  for (size_t i = 0; i < images.size(); ++i) {
    const IconImage& image = images[i];
    const bool exact = image.Width == iconWidth && image.Height == iconHeight;
    const std::tuple<bool, uint64_t, int> score{exact, exact ? 0 : uint64_t{image.Width} * image.Height,
                                                image.BitsPerPixel};
    if (score > bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return best;
}

uint32_t BitmapTransparentColour(const uint32_t* pixels, int32_t width, int32_t height, bool monochrome) {
  if (monochrome || width <= 0 || height <= 0) return 0x00FFFFFFu;
  const uint32_t bgra = pixels[static_cast<size_t>(height - 1) * static_cast<size_t>(width)];
  // 0xAARRGGBB to 0x00BBGGRR.
  return ((bgra >> 16) & 0xFFu) | (bgra & 0xFF00u) | ((bgra & 0xFFu) << 16);
}

bool SettleAlpha(uint32_t* pixels, size_t count) {
  const bool alpha = std::any_of(pixels, pixels + count, [](uint32_t p) { return (p >> 24) != 0xFF; });
  if (!alpha) std::for_each(pixels, pixels + count, [](uint32_t& p) { p &= 0x00FFFFFFu; });
  return alpha;
}

bool PremultiplyBitmapAlpha(uint32_t* pixels, size_t count) {
  if (std::none_of(pixels, pixels + count, [](uint32_t p) { return (p >> 24) != 0; })) return false;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i], a = p >> 24;
    const auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
    pixels[i] = (a << 24) | (scale((p >> 16) & 0xFFu) << 16) | (scale((p >> 8) & 0xFFu) << 8) | scale(p & 0xFFu);
  }
  return SettleAlpha(pixels, count);
}

}  // namespace corvela
