#include "toolkit/frame/text_to_integer.hpp"

#include <algorithm>

#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"

namespace toolkit {

bool TextToInteger(std::string_view text, std::int32_t& result) {
  result = 0;
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    ErrorRaise(ErrorNumber::NoSubstring);
    return false;
  }
  std::string_view digits = text.substr(start);
  digits = digits.substr(0, digits.find(' '));

  const bool negative = digits.front() == '-';
  if (negative || digits.front() == '+') digits.remove_prefix(1);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    ErrorRaise(ErrorNumber::InvalidCharacter);
    return false;
  }
  if (digits.size() > 10 || (digits.size() == 10 && digits.front() > '2')) {
    ErrorRaise(ErrorNumber::NumberTooLarge);
    return false;
  }
  std::int64_t sum = 0;
  for (const char c : digits) {
    sum = sum * 10 + (c - '0');
    if (sum > 2147483647) {
      ErrorRaise(ErrorNumber::NumberTooLarge);
      return false;
    }
  }
  result = static_cast<std::int32_t>(negative ? -sum : sum);
  return true;
}

}  // namespace toolkit
