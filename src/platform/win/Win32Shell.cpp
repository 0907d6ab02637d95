#include "platform/win/Win32Shell.h"

#include <shellapi.h>

#include <climits>

#include "platform/win/WideText.h"

namespace corvela::win {

int Win32Shell::Execute(const char* verb, const std::string& file, const char* parameters, const char* directory,
                        int32_t showCommand) {
  const OptionalWide wideVerb(verb), wideParameters(parameters), wideDirectory(directory);
  const INT_PTR result =
      reinterpret_cast<INT_PTR>(::ShellExecuteW(Owner, wideVerb.get(), Wide(file).c_str(), wideParameters.get(),
                                                wideDirectory.get(), static_cast<INT>(showCommand)));
  // Success is any value above 32, which a plain cast to int could turn into a small or negative one.
  if (result > INT_MAX || result < 0) return INT_MAX;
  return static_cast<int>(result);
}

}  // namespace corvela::win
