#include "project/DesignerSettings.h"

#include "platform/TextLines.h"

namespace corvela {

namespace {

std::string BesideExe(const std::string& appFolder) { return appFolder + "\\" + kIniFileName; }

std::string UserFolder(FileSystem& files) {
  const std::string base = files.UserSettingsFolder();
  return base.empty() ? base : base + "\\" + kUserSettingsFolderName;
}

}  // namespace

std::string SettingsFileToRead(FileSystem& files, const std::string& appFolder) {
  const std::string beside = BesideExe(appFolder);
  if (files.CanWriteFile(beside)) return beside;
  const std::string folder = UserFolder(files);
  if (!folder.empty() && files.FileExists(folder + "\\" + kIniFileName)) return folder + "\\" + kIniFileName;
  return files.FileExists(beside) ? beside : std::string();
}

bool WriteSettingsFile(FileSystem& files, const std::string& appFolder, const std::string& text) {
  std::string error;
  const std::string bytes = kUtf8Mark + text;
  const std::string beside = BesideExe(appFolder);
  if (files.CanWriteFile(beside) && files.SaveFileSafely(beside, bytes, error)) return true;
  const std::string folder = UserFolder(files);
  if (folder.empty() || !files.CreateFolder(folder)) return false;
  return files.SaveFileSafely(folder + "\\" + kIniFileName, bytes, error);
}

}  // namespace corvela
