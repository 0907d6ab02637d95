#pragma once
// What Copy puts on the clipboard and Paste takes back: the selected objects' records as the
// project file writes them behind a small header (magic, version, count), and their captions as
// plain text. Data that is not ours or is damaged is refused without a message.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

// The name of the private clipboard format the window layer registers.
inline constexpr const char* kClipboardFormatName = "Corvela Menu Objects";
inline constexpr uint32_t kClipboardMagic = 0x4A424F43u;  // "COBJ" in file order
// Version 2 adds the CD folder the objects were copied from after the records; version 1 records,
// which lack it, are read as from no folder.
inline constexpr uint32_t kClipboardVersion = 2;
inline constexpr uint32_t kClipboardVersionWithoutFolder = 1;
// Where a paste lands when no point is given: right of and below the copied objects.
inline constexpr int32_t kPasteOffset = 8;

// The selected objects in list order and the CD folder their stored paths are relative to; nothing
// when none is selected or one cannot be written.
std::optional<std::string> WriteClipboardRecords(const MenuProject& project, const std::string& cdFolder = {});
// The captions of the selected labels and buttons in list order, one per line (CR LF between).
std::string ClipboardText(const MenuProject& project);
// The objects in the data, unselected and without pictures or panes; nothing for data with another
// magic or version, a count below 1 or above what the data can hold, a damaged record or bytes
// left over. sourceFolder, when given, takes the CD folder the records name (empty for version 1).
std::optional<std::vector<std::unique_ptr<MenuObject>>> ReadClipboardRecords(const std::string& bytes,
                                                                              std::string* sourceFolder = nullptr);

// name itself when no object of the project has it; otherwise its trailing digits replaced by the
// lowest number from 1 up that no object has ("Button1" -> "Button2"). Objects the designer makes
// have no name, and an empty name never clashes.
std::string FreshObjectName(const MenuProject& project, const std::string& name);

// Appends the objects as the topmost, each moved by kPasteOffset or, with a point, the group moved
// so that its top-left corner is there; names that would clash are made fresh. Only the pasted
// objects are selected afterwards. Returns their list positions; the caller creates their controls
// and applies their resources.
std::vector<int> PasteObjects(MenuProject& project, std::vector<std::unique_ptr<MenuObject>> objects,
                              std::optional<Point> at = std::nullopt);

}  // namespace corvela
