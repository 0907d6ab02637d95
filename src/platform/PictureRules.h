#pragma once
// The decisions behind loading a picture, apart from the decoders that carry them out: which
// decoder a file name asks for, what a placeable metafile's header says, which image of an icon
// is shown, and which colour a bitmap leaves see-through.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvela {

enum class PictureFormat : uint8_t { None, Bitmap, Icon, Jpeg, Gif, Png, EnhancedMetafile, WindowsMetafile };

// By extension in any letter case: .bmp .ico .jpg .jpeg .gif .png .emf .wmf; None for anything else.
PictureFormat PictureFormatFor(const std::string& path);

// The 22-byte header of a placeable Windows metafile, checked against the standard metafile
// header behind it. Only this form of WMF carries a size.
struct PlaceableMetafile {
  int32_t UnitsWide = 0;
  int32_t UnitsHigh = 0;
  int32_t UnitsPerInch = 0;
  size_t RecordsOffset = 0;  // where the standard metafile starts
};
inline constexpr size_t kPlaceableHeaderSize = 22;
std::optional<PlaceableMetafile> ParsePlaceableMetafile(const std::string& bytes);

struct IconImage {
  uint32_t Width = 0;
  uint32_t Height = 0;
  int BitsPerPixel = 0;
};
// Of an icon's images: the one of the system's icon size with the most colours, else the
// largest (then the most colours); the first of equals. 0 for an empty list.
size_t BestIconImage(const std::vector<IconImage>& images, uint32_t iconWidth, uint32_t iconHeight);

// The colour a transparent bitmap leaves out, 0x00BBGGRR: white for a monochrome bitmap,
// otherwise its bottom-left pixel. pixels are 0xAARRGGBB, top-down rows of width.
uint32_t BitmapTransparentColour(const uint32_t* pixels, int32_t width, int32_t height, bool monochrome);

// True when some pixel is not fully opaque. Opaque pictures get alpha 0, as GDI itself writes
// it, so that colour-key comparisons see plain RGB.
bool SettleAlpha(uint32_t* pixels, size_t count);

// A 32-bit bitmap stores its fourth byte unpremultiplied, and most writers leave it zero. Only
// when some pixel has a nonzero alpha is it a real channel: then the pixels are premultiplied in
// place and settled as above. True when the result has see-through pixels.
bool PremultiplyBitmapAlpha(uint32_t* pixels, size_t count);

}  // namespace corvela
