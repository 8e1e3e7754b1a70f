#include "toolkit/frame/os_variable.hpp"

#include <algorithm>

#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"

namespace toolkit {

void StoreVariableValue(std::optional<std::string_view> found, std::span<char> value) {
  std::fill(value.begin(), value.end(), ' ');
  if (!found) return;
  if (found->size() > value.size()) {
    ErrorRaise(ErrorNumber::ReturnBufferTooSmall);
    return;
  }
  std::copy(found->begin(), found->end(), value.begin());
}

std::string_view FirstWord(std::string_view text) {
  const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
  text.remove_prefix(start);
  return text.substr(0, text.find(' '));
}

}  // namespace toolkit
