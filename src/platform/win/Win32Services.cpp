#include "platform/win/Win32Services.h"

#include <commdlg.h>

#include <vector>

namespace corvela::win {

MessageResult Win32Ui::AskUser(const std::string& text, const std::string& caption, MessageIcon icon,
                                  MessageButtons buttons) {
  UINT flags = MB_TASKMODAL;
  switch (icon) {
    case MessageIcon::None: break;
    case MessageIcon::Error: flags |= MB_ICONERROR; break;
    case MessageIcon::Information: flags |= MB_ICONINFORMATION; break;
    case MessageIcon::Question: flags |= MB_ICONQUESTION; break;
    case MessageIcon::Warning: flags |= MB_ICONWARNING; break;
  }
  switch (buttons) {
    case MessageButtons::Ok: flags |= MB_OK; break;
    case MessageButtons::YesNoCancel: flags |= MB_YESNOCANCEL; break;
    case MessageButtons::YesNo: flags |= MB_YESNO; break;
    case MessageButtons::YesNoDefaultNo: flags |= MB_YESNO | MB_DEFBUTTON2; break;
  }
  HWND owner = Owner ? Owner : ::GetActiveWindow();
  switch (::MessageBoxA(owner, text.c_str(), caption.c_str(), flags)) {
    case IDYES: return MessageResult::Yes;
    case IDNO: return MessageResult::No;
    case IDCANCEL: return MessageResult::Cancel;
    default: return MessageResult::Ok;
  }
}

std::optional<std::string> Win32FileChooser::ChooseFile(const FileChooserRequest& request) {
  std::vector<char> name(32768, '\0');
  request.FileName.copy(name.data(), name.size() - 1);
  const std::string filter = ToDialogFilter(request.Filter);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Owner ? Owner : ::GetActiveWindow();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = request.InitialDir.empty() ? nullptr : request.InitialDir.c_str();
  ofn.lpstrTitle = request.Title.empty() ? nullptr : request.Title.c_str();
  ofn.lpstrDefExt = request.DefaultExtension.empty() ? nullptr : request.DefaultExtension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (request.Save) {
    ofn.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!::GetSaveFileNameA(&ofn)) return std::nullopt;
    return std::string(name.data());
  }
  if (request.MustExist) ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (!::GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(name.data());
}

}  // namespace corvela::win
