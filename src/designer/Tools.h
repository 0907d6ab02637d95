#pragma once
// The toolbar's tools in one table: which command button is which tool, and which kind of object
// each add tool places.

#include <cstdint>
#include <optional>
#include <vector>

#include "designer/Commands.h"
#include "project/Model.h"

namespace corvela {

enum class DesignTool : uint8_t { Select, AddLabel, AddButton, AddImage, AddAvi, AddHtml, AddRtf, AddMovie };

struct ToolInfo {
  CommandId Command;
  DesignTool Tool;
  std::optional<ObjectKind> Adds;  // nothing for Select
};

// In toolbar order, Select first.
const std::vector<ToolInfo>& Tools();

// The kind an add tool places; nothing for Select.
std::optional<ObjectKind> KindAddedBy(DesignTool tool);

}  // namespace corvela
