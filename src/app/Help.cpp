#include "app/Help.h"

#include "platform/PathNames.h"

namespace corvela {

HelpChoice ChooseHelp(FileSystem& files, const std::string& exeFileName) {
  const std::string folder = FolderPart(exeFileName);
  const std::string hlp = folder + "\\Corvela.hlp";
  if (files.FileExists(hlp)) return {HelpKind::HelpFile, hlp};
  // Current Windows has no engine for .hlp files; the guide ships as a web page instead.
  const std::string guide = folder + "\\Corvela.html";
  if (files.FileExists(guide)) return {HelpKind::Guide, guide};
  return {HelpKind::Missing, guide};
}

std::string MissingHelpMessage(const HelpChoice& choice) {
  return "File \"" + choice.Path + "\" not found";
}

}  // namespace corvela
