#pragma once
// The video stream of an AVI file, read frame by frame through the AVIFile library: for panes
// that draw the frames themselves, at a size the animation control cannot.

#include <windows.h>
#include <vfw.h>

#include <string>

#include "platform/win/Handles.h"

namespace corvela::win {

using UniqueAviStream = UniqueHandle<PAVISTREAM, NullHandleTraits<PAVISTREAM, &::AVIStreamRelease>>;
using UniqueAviFrameReader = UniqueHandle<PGETFRAME, NullHandleTraits<PGETFRAME, &::AVIStreamGetFrameClose>>;

// A decoded frame: a packed DIB, valid until the next call to the clip that gave it.
struct AviFrame {
  const BITMAPINFO* Info = nullptr;
  const void* Bits = nullptr;
  explicit operator bool() const { return Info != nullptr; }
};

class AviClip {
 public:
  // False when the file cannot be read or has no video stream it can decode; the clip is then
  // empty.
  bool Open(const std::string& path);
  bool IsOpen() const { return static_cast<bool>(reader_); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int FrameCount() const { return count_; }
  // Milliseconds from one frame to the next, at least one.
  UINT FrameInterval() const { return interval_; }
  // The frame at index 0 .. FrameCount() - 1; empty when it cannot be decoded.
  AviFrame Frame(int index);

 private:
  // The frame reader goes before the stream it reads.
  UniqueAviStream stream_;
  UniqueAviFrameReader reader_;
  LONG start_ = 0;
  int count_ = 0, width_ = 0, height_ = 0;
  UINT interval_ = 100;
};

}  // namespace corvela::win
