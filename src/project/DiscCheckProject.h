#pragma once
// The project part of the disc check: every file and address the menu names, judged as the
// player will meet them on the disc. It reads a copy of the menu taken beforehand, so that it can
// run on another thread while the model stays where it is, and so that an object's index in a
// finding is that object's index in the menu the copy was taken of.

#include <string>
#include <vector>

#include "project/DiscFindings.h"
#include "project/DiscFolder.h"
#include "project/Model.h"

namespace corvela {

class FileSystem;

// What the check reads of a menu: the stored fields that name files, links and addresses, and
// what decides whether the menu can be read: captions, hints, colours, fonts and bounds.
struct MenuSnapshot {
  struct Object {
    ObjectKind Kind = ObjectKind::Label;
    std::string Name;
    ObjectLink Link;
    std::string BitmapFile;
    std::string HotTrackBitmapFile;
    std::string FileName;
    std::string HotTrackImageFile;
    ControlRecord Control;  // bounds, hint, caption, font and colour as the control has them now
    FontRecord NormalFont;
    FontRecord HotTrackFont;
    bool Hot = false;  // the control wears its hot-track font now
  };
  std::string FormIcon;
  std::string StartSound;
  ObjectLink StartLink;
  Colour BackColor = kClSilver;
  Colour GradientColor = kClWhite;
  uint8_t GradientStyle = 0;
  // The inner panel the objects lie on, in design pixels: the window's size unless the one who
  // takes the copy knows better.
  int32_t PanelWidth = 0;
  int32_t PanelHeight = 0;
  std::vector<Object> Objects;  // in the menu's order
  // The menu on screen has changes that the saved AutoRun.mnx lacks.
  bool Unsaved = false;
  bool PublishStartPage = false;
};

// Taken on the thread that owns the model.
MenuSnapshot TakeMenuSnapshot(const MenuProject& project, bool unsaved);

// Whom a finding about the object at index is about: its name, or its kind when it has none.
FindingOwner OwnerOf(const MenuSnapshot::Object& obj, int32_t index);

// Every file, folder and address the menu names: errors for what the disc will lack, warnings for
// what may not work. Files found are marked used; names are looked up with files' letter case.
void CheckMenuFiles(const MenuSnapshot& menu, const std::string& cdFolder, DiscNode& root, FileSystem& files,
                    std::vector<Finding>& findings);

}  // namespace corvela
