// Feeds arbitrary bytes to Paste's reader: any program can put data on the clipboard under our
// format's name. Besides not crashing, whatever it accepts must write back to the same bytes with
// the same source folder, except a boolean byte above 1 (written as 1) and an older version's
// number, and must paste with no pasted name clashing.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "designer/ClipboardRecords.h"

namespace {

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvela;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string folder;
  auto objects = ReadClipboardRecords(bytes, &folder);
  if (!objects) return 0;
  if (objects->empty()) Broken("accepted data holds no object");

  MenuProject copied;
  for (auto& obj : *objects) {
    if (obj->Selected) Broken("a read object is selected");
    obj->Selected = true;
    copied.Objects.push_back(std::move(obj));
  }
  const std::optional<std::string> written = WriteClipboardRecords(copied, folder);
  if (!written) Broken("accepted objects cannot be written");
  // Records of the version without a folder are written as the current version, with an empty
  // one: the bytes they share must agree all the same.
  const bool older = static_cast<uint8_t>(bytes[4]) == kClipboardVersionWithoutFolder;
  const size_t folderBytes = older ? 4 : 0;
  if (written->size() != bytes.size() + folderBytes) Broken("written size differs");
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto in = static_cast<uint8_t>(bytes[i]);
    const auto out = static_cast<uint8_t>((*written)[i]);
    if (older && i == 4) continue;  // the version
    if (in != out && !(in > 1 && out == 1)) Broken("written bytes differ");
  }
  std::string folderAgain;
  ClipboardText(copied);

  // Pasted beside objects whose names the data may well hold.
  MenuProject project;
  for (const char* name : {"", "Label1", "Button1", "1"}) {
    project.Objects.push_back(std::make_unique<MenuObject>(ObjectKind::Button));
    project.Objects.back()->Base().Name = name;
  }
  auto again = ReadClipboardRecords(*written, &folderAgain);
  if (!again || again->size() != copied.Objects.size()) Broken("written records do not read back");
  if (folderAgain != folder) Broken("the source folder does not read back");
  const size_t before = project.Objects.size();
  const std::vector<int> placed =
      PasteObjects(project, std::move(*again), Point{static_cast<int32_t>(size), -static_cast<int32_t>(size)});
  if (placed.size() != copied.Objects.size()) Broken("not every object was pasted");
  for (size_t i = 0; i < project.Objects.size(); ++i) {
    const MenuObject& obj = *project.Objects[i];
    if (obj.Selected != (i >= before)) Broken("the selection is not the pasted objects");
    if (i < before || obj.Base().Name.empty()) continue;
    for (size_t k = 0; k < project.Objects.size(); ++k)
      if (k != i && project.Objects[k]->Base().Name == obj.Base().Name) Broken("a pasted name clashes");
  }
  return 0;
}
