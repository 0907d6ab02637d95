#pragma once
// Command identifiers of the designer's menu, toolbar and accelerators. The design surface
// carries out the editing commands; the main window the rest.

namespace corvela::win {

enum CommandId : unsigned {
  cmdOpen = 1001,
  cmdSave,
  cmdSaveAndTest,
  cmdExit,
  cmdFormProperties,
  cmdStartLink,
  cmdObjectProperties,
  cmdObjectLink,
  cmdDelete,
  cmdClear,
  cmdBringToFront,
  cmdSendToBack,
  cmdSelectAll,
  cmdSelectCDIcon,
  cmdHelpContents,
  cmdTechnicalSupport,
  cmdHomePage,
  cmdAbout,
  // The tool buttons, in toolbar order; Select first.
  cmdToolSelect,
  cmdToolLabel,
  cmdToolButton,
  cmdToolImage,
  cmdToolAvi,
  cmdToolHtml,
  cmdToolRtf,
  cmdToolMovie,
  cmdCDIconButton,
};

// The editing commands of the design surface.
inline bool IsSurfaceCommand(unsigned id) {
  return id >= cmdFormProperties && id <= cmdSelectAll;
}

}  // namespace corvela::win
