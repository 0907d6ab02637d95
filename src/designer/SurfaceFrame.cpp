#include "designer/SurfaceFrame.h"

namespace corvela {

WindowFrame SurfaceFrameFor(const FormSettings& form) {
  WindowFrame frame = FrameFor(form);
  frame.MinimizeBox = frame.MaximizeBox = false;
  frame.ContextHelp = false;
  frame.SystemMenu = true;
  return frame;
}

}  // namespace corvela
