#include "designer/win/SurfacePicture.h"

#include "designer/DragDamage.h"
#include "platform/win/PaintMessage.h"

namespace corvela::win {

void SurfacePicture::EndRepaint(const MenuProject& project) {
  lastDrawn_ = DrawnObjects(project);
}

std::optional<RECT> SurfacePicture::BeginRepaint(HDC screen, Size size, const MenuProject& project, bool dragging) {
  std::optional<RECT> damage;
  if (bitmap_) {
    if (const std::optional<Rect> area = DragDamage(lastDrawn_, project, dragging)) damage = ToRECT(*area);
  }
  if (!bitmap_ || size_ != size) {
    bitmap_.reset(::CreateCompatibleBitmap(screen, size.Width > 0 ? size.Width : 1, size.Height > 0 ? size.Height : 1));
    size_ = size;
    damage.reset();
  }
  return damage;
}

}  // namespace corvela::win
