#include "text/text_utilities.hpp"

#include <algorithm>
#include <cstddef>

namespace text {

void UpperCaseString(std::span<char> text) {
  for (char& c : text) c = UpperCase(c);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerCase(x) == LowerCase(y); });
}

void JustifyString(std::span<char> text, std::string_view code) {
  const std::size_t n = text.size();
  std::size_t first = 0;
  while (first < n && !IsSignificant(text[first])) ++first;
  if (first == n) return;
  std::size_t last = n - 1;
  while (!IsSignificant(text[last])) --last;
  const std::size_t length = last - first + 1;
  if (length == n) return;

  auto has = [code](char letter) {
    return code.find(letter) != std::string_view::npos || code.find(LowerCase(letter)) != std::string_view::npos;
  };
  std::size_t target;
  if (has('L'))
    target = 0;
  else if (has('R'))
    target = n - length;
  else
    target = (n - length) / 2;
  if (target == first) return;

  // Each source byte is blanked before its character lands, in the direction
  // that never overwrites a character still to be moved; bytes outside both
  // the old and the new place keep whatever they held.
  if (target < first) {
    for (std::size_t i = 0; i < length; ++i) {
      const char c = text[first + i];
      text[first + i] = ' ';
      text[target + i] = c;
    }
  } else {
    for (std::size_t i = length; i-- > 0;) {
      const char c = text[first + i];
      text[first + i] = ' ';
      text[target + i] = c;
    }
  }
}

}  // namespace text
