#include "project/DiscCheckAccess.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "project/Contrast.h"

namespace corvela {

namespace {

bool SaysNothing(const std::string& text) {
  for (char c : text)
    if (c != '&' && c != ' ' && c != '\t') return false;
  return true;
}

// "#RRGGBB" of 0x00BBGGRR.
std::string HexColour(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  return text;
}

// Cut, not rounded, to one decimal: 4.46 reads "4.4", never a "4.5" that was not reached.
std::string RatioText(double ratio) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", std::floor(ratio * 10) / 10);
  return text;
}

// The records the contrast rule reads, rebuilt from the copy on the checking thread.
MenuProject ProjectOf(const MenuSnapshot& menu) {
  MenuProject project;
  project.BackColor = menu.BackColor;
  project.GradientColor = menu.GradientColor;
  project.GradientStyle = menu.GradientStyle;
  for (const MenuSnapshot::Object& from : menu.Objects) {
    auto obj = std::make_unique<MenuObject>(from.Kind);
    obj->Control = from.Control;
    obj->NormalFont = from.NormalFont;
    obj->HotTrackFont = from.HotTrackFont;
    obj->Hot = from.Hot;
    obj->Link = from.Link;
    obj->FileName = from.FileName;
    obj->HotTrackImageFile = from.HotTrackImageFile;
    project.Objects.push_back(std::move(obj));
  }
  return project;
}

void CheckHints(const MenuSnapshot& menu, std::vector<Finding>& findings) {
  for (size_t i = 0; i < menu.Objects.size(); ++i) {
    const MenuSnapshot::Object& obj = menu.Objects[i];
    if (obj.Link.Action == LinkAction::None || !SaysNothing(std::visit([](const auto& c) { return c.Hint; }, obj.Control)))
      continue;
    const FindingOwner owner = OwnerOf(obj, static_cast<int32_t>(i));
    if (obj.Kind == ObjectKind::Image)
      AddFinding(findings, Severity::Warning, owner, "",
                 "The linked image has no hint, so screen readers cannot say what it does");
    else if (const auto* button = std::get_if<ButtonControl>(&obj.Control);
             button && obj.Kind == ObjectKind::Button && SaysNothing(button->Caption))
      AddFinding(findings, Severity::Warning, owner, "",
                 "The linked button has neither a caption nor a hint, so screen readers cannot say what it does");
  }
}

void CheckContrast(const MenuSnapshot& menu, std::vector<Finding>& findings) {
  const MenuProject project = ProjectOf(menu);
  for (const ContrastFinding& low : FindLowContrast(project, nullptr, menu.PanelWidth, menu.PanelHeight)) {
    const MenuSnapshot::Object& obj = menu.Objects[static_cast<size_t>(low.ObjectIndex)];
    AddFinding(findings, Severity::Warning, OwnerOf(obj, low.ObjectIndex), "",
               std::string(low.HotFont ? "The caption's hot-track colour " : "The caption's colour ") +
                   HexColour(low.TextRgb) + " reads at " + RatioText(low.Ratio) + " : 1 against " +
                   HexColour(low.BehindRgb) + " behind it; text of its size needs " + RatioText(low.Required) +
                   " : 1");
  }
}

}  // namespace

void CheckMenuAccess(const MenuSnapshot& menu, std::vector<Finding>& findings) {
  CheckHints(menu, findings);
  CheckContrast(menu, findings);
}

}  // namespace corvela
