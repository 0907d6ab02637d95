#include "player/win/GradientForm.h"

namespace corvela::win {

bool GradientForm::Create() {
  WindowClassArgs cls;
  cls.Name = "TGradientForm";
  WindowArgs args;
  args.Style = WS_POPUP;
  args.ExStyle = WS_EX_TOOLWINDOW;
  args.Title = "Gradient";
  args.X = args.Y = 0;
  args.Width = args.Height = 0;
  return Window::Create(cls, args);
}

}  // namespace corvela::win
