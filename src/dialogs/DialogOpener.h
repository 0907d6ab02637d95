#pragma once
// What the dialogs layer offers the commands that open dialogs: one call per modal dialog.

#include <string>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

// Opens each modal dialog on the record it edits in place. Each returns true only when the user
// pressed OK after changing something (the record has then been written).
class DialogOpener {
 public:
  virtual ~DialogOpener() = default;
  // menuSize: the menu's inner area as the design window has it; the size typed in comes back.
  virtual bool EditFormProperties(MenuProject& project, Size& menuSize) = 0;
  virtual bool EditLabelProperties(MenuObject& obj) = 0;
  virtual bool EditButtonProperties(MenuObject& obj) = 0;
  virtual bool EditImageProperties(MenuObject& obj) = 0;
  virtual bool EditLink(ObjectLink& link) = 0;
  // The file input on a string field; allowUrl lets a URL be typed instead of a file.
  virtual bool GetFile(std::string& field, bool allowUrl, const std::string& filter) = 0;
};

}  // namespace corvela
