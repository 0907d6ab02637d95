#pragma once
// Help > Help Contents: which help the designer opens.

#include <string>

#include "platform/Platform.h"

namespace corvela {

enum class HelpKind : uint8_t {
  HelpFile,  // Corvela.hlp beside the designer, for Windows that still has its help engine
  Guide,     // Corvela.html beside the designer, opened by the shell
  Missing,   // neither: Path is the guide that was looked for
};

struct HelpChoice {
  HelpKind Kind = HelpKind::Missing;
  std::string Path;
};

HelpChoice ChooseHelp(FileSystem& files, const std::string& exeFileName);

// "File "<guide>" not found".
std::string MissingHelpMessage(const HelpChoice& choice);

}  // namespace corvela
