#include <windows.h>

#include <algorithm>
#include <string>

#include "toolkit/frame/os_variable.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"

namespace toolkit {

void IOsVariable(std::string_view name, std::span<char> value) {
  const std::string key(FirstWord(name));
  // One byte more than the field: a value that fills it exactly still fits
  // with its terminator; for a longer one the call returns the size it needs.
  std::string buffer(value.size() + 1, '\0');
  const DWORD n = GetEnvironmentVariableA(key.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > value.size()) {
    std::fill(value.begin(), value.end(), ' ');
    ErrorRaise(ErrorNumber::ReturnBufferTooSmall);
    return;
  }
  // An empty variable reads like an absent one: both leave the field blank.
  StoreVariableValue(n == 0 ? std::nullopt : std::optional<std::string_view>(std::string_view(buffer.data(), n)),
                     value);
}

}  // namespace toolkit
