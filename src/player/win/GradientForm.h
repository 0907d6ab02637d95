#pragma once
// TGradientForm: the hidden window whose surface renders the background gradient.

#include "platform/win/Window.h"

namespace corvela::win {

class GradientForm : public Window {
 public:
  bool Create();
};

}  // namespace corvela::win
