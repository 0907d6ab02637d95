#include "designer/Tools.h"

namespace corvela {

const std::vector<ToolInfo>& Tools() {
  static const std::vector<ToolInfo> kTools = {
      {cmdToolSelect, DesignTool::Select, std::nullopt},
      {cmdToolLabel, DesignTool::AddLabel, ObjectKind::Label},
      {cmdToolButton, DesignTool::AddButton, ObjectKind::Button},
      {cmdToolImage, DesignTool::AddImage, ObjectKind::Image},
      {cmdToolAvi, DesignTool::AddAvi, ObjectKind::Avi},
      {cmdToolHtml, DesignTool::AddHtml, ObjectKind::Html},
      {cmdToolRtf, DesignTool::AddRtf, ObjectKind::Rtf},
      {cmdToolMovie, DesignTool::AddMovie, ObjectKind::Movie},
  };
  return kTools;
}

std::optional<ObjectKind> KindAddedBy(DesignTool tool) {
  for (const ToolInfo& info : Tools())
    if (info.Tool == tool) return info.Adds;
  return std::nullopt;
}

}  // namespace corvela
