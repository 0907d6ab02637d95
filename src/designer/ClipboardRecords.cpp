#include "designer/ClipboardRecords.h"

#include <algorithm>
#include <exception>
#include <limits>

#include "project/ProjectFile.h"

namespace corvela {

namespace {

bool NameTaken(const MenuProject& project, const std::string& name) {
  return std::any_of(project.Objects.begin(), project.Objects.end(),
                     [&](const auto& obj) { return obj->Base().Name == name; });
}

}  // namespace

std::optional<std::string> WriteClipboardRecords(const MenuProject& project, const std::string& cdFolder) {
  ByteWriter records;
  int32_t count = 0;
  for (const auto& obj : project.Objects) {
    if (!obj->Selected) continue;
    if (!WriteObject(records, *obj)) return std::nullopt;
    ++count;
  }
  if (count == 0) return std::nullopt;
  ByteWriter out;
  out.U32(kClipboardMagic);
  out.U32(kClipboardVersion);
  out.I32(count);
  out.Raw(records.Bytes());
  if (!WriteString(out, cdFolder)) return std::nullopt;
  return out.Take();
}

std::string ClipboardText(const MenuProject& project) {
  std::string text;
  bool first = true;
  for (const auto& obj : project.Objects) {
    if (!obj->Selected) continue;
    const std::string* caption = nullptr;
    if (const LabelControl* label = obj->AsLabel()) caption = &label->Caption;
    if (const ButtonControl* button = obj->AsButton()) caption = &button->Caption;
    if (!caption) continue;
    if (!first) text += "\r\n";
    text += *caption;
    first = false;
  }
  return text;
}

std::optional<std::vector<std::unique_ptr<MenuObject>>> ReadClipboardRecords(const std::string& bytes,
                                                                              std::string* sourceFolder) {
  try {
    ByteReader in(bytes);
    uint32_t magic = 0, version = 0;
    int32_t count = 0;
    if (!in.U32(magic) || magic != kClipboardMagic || !in.U32(version) ||
        (version != kClipboardVersion && version != kClipboardVersionWithoutFolder) || !in.I32(count))
      return std::nullopt;
    // Every record takes at least one byte: a larger count is a lie, and nothing is reserved for it.
    if (count < 1 || static_cast<size_t>(count) > in.Remaining()) return std::nullopt;
    std::vector<std::unique_ptr<MenuObject>> objects;
    for (int32_t i = 0; i < count; ++i) {
      auto obj = std::make_unique<MenuObject>();
      if (!ReadObject(in, *obj)) return std::nullopt;
      objects.push_back(std::move(obj));
    }
    std::string folder;
    if (version == kClipboardVersion && !ReadString(in, folder)) return std::nullopt;
    if (in.Remaining() != 0) return std::nullopt;
    if (sourceFolder) *sourceFolder = folder;
    return objects;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::string FreshObjectName(const MenuProject& project, const std::string& name) {
  if (name.empty() || !NameTaken(project, name)) return name;
  const size_t digits = name.find_last_not_of("0123456789");
  const std::string stem = digits == std::string::npos ? std::string() : name.substr(0, digits + 1);
  // At most one name per object is taken, so one of the first size + 1 numbers is free.
  for (size_t n = 1;; ++n) {
    std::string candidate = stem + std::to_string(n);
    if (!NameTaken(project, candidate)) return candidate;
  }
}

std::vector<int> PasteObjects(MenuProject& project, std::vector<std::unique_ptr<MenuObject>> objects,
                              std::optional<Point> at) {
  int64_t dx = kPasteOffset, dy = kPasteOffset;
  if (at && !objects.empty()) {
    int64_t left = std::numeric_limits<int64_t>::max(), top = left;
    for (const auto& obj : objects) {
      left = std::min<int64_t>(left, obj->Base().Left);
      top = std::min<int64_t>(top, obj->Base().Top);
    }
    dx = at->X - left;
    dy = at->Y - top;
  }
  for (auto& obj : project.Objects) obj->Selected = false;
  std::vector<int> placed;
  for (auto& obj : objects) {
    ControlBase& c = obj->Base();
    c.Left = FitInt32(c.Left + dx);
    c.Top = FitInt32(c.Top + dy);
    // Pasted objects already appended count as taken, so two copies of one name part too.
    c.Name = FreshObjectName(project, c.Name);
    obj->Selected = true;
    obj->Hot = false;
    project.Objects.push_back(std::move(obj));
    placed.push_back(static_cast<int>(project.Objects.size() - 1));
  }
  return placed;
}

}  // namespace corvela
