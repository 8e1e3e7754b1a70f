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

// Case changes and comparisons touch ASCII letters only: the other bytes of
// a UTF-8 or ANSI text stay as they are.
constexpr char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char UpperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
void UpperCaseString(std::span<char> text);
bool SameIgnoringCase(std::string_view a, std::string_view b);

// Code with an L (either case) justifies left, else with an R right, else centres.
void JustifyString(std::span<char> text, std::string_view code);

}  // namespace text
