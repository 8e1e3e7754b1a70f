#include <windows.h>

#include <algorithm>
#include <string>

#include "toolkit/frame/os_variable.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/state/platform_text_win32.hpp"

namespace toolkit {

// Read wide: a folder named in the variable (TEMP holds the user's name)
// may hold characters that the ANSI code page cannot.
void IOsVariable(std::string_view name, std::span<char> value) {
  const std::wstring key = PlatformText(FirstWord(name));
  // One unit more than the field: a value that fills it exactly still fits
  // with its terminator; for a longer one the call returns the size it
  // needs. Its UTF-8 takes at least a byte a unit, so it is longer still.
  std::wstring buffer(value.size() + 1, L'\0');
  const DWORD n = GetEnvironmentVariableW(key.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > value.size()) {
    std::fill(value.begin(), value.end(), ' ');
    ErrorRaise(ErrorNumber::ReturnBufferTooSmall);
    return;
  }
  // An empty variable reads like an absent one: both leave the field blank.
  const std::string found = TextFromPlatform({buffer.data(), n});
  StoreVariableValue(n == 0 ? std::nullopt : std::optional<std::string_view>(found), value);
}

}  // namespace toolkit
