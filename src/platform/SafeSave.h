#pragma once
// Saving a file so that a failure never destroys the previous one. Every file system takes the
// same steps: a read-only target is refused before anything is written; the bytes go to a
// temporary file beside the target, which replaces the target only once it is complete; after
// a failure the temporary file is removed again.

#include <optional>
#include <string>

namespace corvela {

// The steps as one file system carries them out; each returns the error text of its failure.
class SafeSaveSteps {
 public:
  virtual ~SafeSaveSteps() = default;
  // Fails when path exists and may not be replaced (read-only, or a folder).
  virtual std::optional<std::string> CheckReplaceable(const std::string& path) = 0;
  // Creates temp and writes bytes to the disk; errors name path, the file the user knows.
  virtual std::optional<std::string> WriteTemporary(const std::string& temp, const std::string& path,
                                                    const std::string& bytes) = 0;
  virtual std::optional<std::string> Replace(const std::string& temp, const std::string& path) = 0;
  virtual void Remove(const std::string& temp) = 0;
};

// The temporary file beside path.
std::string SafeSaveTemporary(const std::string& path);

bool SaveSafely(SafeSaveSteps& steps, const std::string& path, const std::string& bytes, std::string& error);

}  // namespace corvela
