#pragma once
// The start page: the menu as one HTML page that any browser opens, for computers that never
// start the player. Objects stand at their design-pixel places over a picture of the window's
// background, text in the menu's fonts, pictures as PNG files in a folder beside the page.

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "project/AppState.h"
#include "project/CdFolder.h"
#include "project/Gradient.h"

namespace corvela {


// One picture file of the page, named inside Start.files.
struct PagePicture {
  enum class From : uint8_t {
    Copy,          // a PNG file, copied as it is
    Picture,       // a picture file, converted (Keyed: its bottom-left colour left out)
    Glyph,         // a button's bitmap, its bottom-left colour left out
    FallbackGlyph, // the player's built-in glyph
    PaneView,      // what a live RTF or AVI pane shows
  };
  std::string Name;
  From Source = From::Copy;
  std::string Path;  // the file it comes from
  bool Keyed = false;
  const PaneWindow* Pane = nullptr;  // PaneView's pane
};

struct StartPage {
  std::string Html;
  // The window's client area as the player paints it under the objects: panel bands and the
  // inner panel's gradient or colour. Written as kBackgroundPicture.
  PixelBuffer Background;
  std::vector<PagePicture> Pictures;
};

inline constexpr const char* kBackgroundPicture = "background.png";
// The size of the player's built-in glyph.
inline constexpr int32_t kFallbackGlyphSize = 32;

// The page of the project in state. Pictures take their sizes from the objects' loaded caches;
// text is placed by measurer as the player places it. Exit links and the start sound and link
// are left out.
StartPage BuildStartPage(const AppState& state, TextMeasurer& measurer);

}  // namespace corvela
