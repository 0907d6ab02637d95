#pragma once
// A decoded picture or bitmap, as portable code holds it; the platform layer implements it.

namespace corvela {

class Graphic {
 public:
  virtual ~Graphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

}  // namespace corvela
