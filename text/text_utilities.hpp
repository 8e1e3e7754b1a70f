#pragma once
// Case changes and justification of fixed-length, blank-padded texts.
// A NUL byte counts like a blank everywhere here: texts that came back from
// the platform may still hold their terminator.

#include <span>
#include <string_view>

namespace text {

constexpr bool IsSignificant(char c) { return c != ' ' && c != '\0'; }

// The text without its trailing blanks and NUL bytes.
constexpr std::string_view TrimTrailing(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && !IsSignificant(text[n - 1])) --n;
  return text.substr(0, n);
}

void LowerCaseString(std::span<char> text);
void UpperCaseString(std::span<char> text);

// Code with an L (either case) justifies left, else with an R right, else centres.
void JustifyString(std::span<char> text, std::string_view code);

}  // namespace text
