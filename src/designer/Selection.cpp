#include "designer/Selection.h"

namespace corvela {

int SingleSelectedIndex(const MenuProject& project) {
  const auto& objects = project.Objects;
  int found = -1;
  for (size_t i = 0; i < objects.size(); ++i) {
    if (!objects[i]->Selected) continue;
    if (found >= 0) return -1;
    found = static_cast<int>(i);
  }
  return found;
}

MenuObject* SingleSelectedObject(MenuProject& project) {
  const int index = SingleSelectedIndex(project);
  return index < 0 ? nullptr : project.Objects[static_cast<size_t>(index)].get();
}

bool SelectOnlyObject(MenuProject& project, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= project.Objects.size()) return false;
  for (auto& obj : project.Objects) obj->Selected = false;
  project.Objects[static_cast<size_t>(index)]->Selected = true;
  return true;
}

}  // namespace corvela
