#include "platform/SafeSave.h"

#include "platform/Platform.h"

namespace corvela {

std::string SafeSaveTemporary(const std::string& path) {
  return path + kSafeSaveSuffix;
}

bool SaveSafely(SafeSaveSteps& steps, const std::string& path, const std::string& bytes, std::string& error) {
  if (std::optional<std::string> refused = steps.CheckReplaceable(path)) {
    error = *refused;
    return false;
  }
  const std::string temp = SafeSaveTemporary(path);
  std::optional<std::string> failed = steps.WriteTemporary(temp, path, bytes);
  if (!failed) failed = steps.Replace(temp, path);
  if (!failed) return true;
  steps.Remove(temp);
  error = *failed;
  return false;
}

}  // namespace corvela
