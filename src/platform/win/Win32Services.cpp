#include "platform/win/Win32Services.h"

#include <commdlg.h>

#include <vector>

#include "platform/win/WideText.h"

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
  switch (::MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), flags)) {
    case IDYES: return MessageResult::Yes;
    case IDNO: return MessageResult::No;
    case IDCANCEL: return MessageResult::Cancel;
    default: return MessageResult::Ok;
  }
}

std::optional<std::string> Win32FileChooser::ChooseFile(const FileChooserRequest& request) {
  std::vector<wchar_t> name(32768, L'\0');
  Wide(request.FileName).copy(name.data(), name.size() - 1);
  // The filter's parts are separated by NULs, which the conversion keeps.
  const std::wstring filter = Wide(ToDialogFilter(request.Filter));
  const std::wstring initialDir = Wide(request.InitialDir), title = Wide(request.Title),
                     extension = Wide(request.DefaultExtension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Owner ? Owner : ::GetActiveWindow();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (request.Save) {
    ofn.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!::GetSaveFileNameW(&ofn)) return std::nullopt;
    return Utf8(name.data());
  }
  if (request.MustExist) ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (!::GetOpenFileNameW(&ofn)) return std::nullopt;
  return Utf8(name.data());
}

}  // namespace corvela::win
