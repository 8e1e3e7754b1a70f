#pragma once
// A short text of at most N bytes kept inside its owner: for the copies of
// lines, the numbers and the record lines that a conversion makes by the
// million, with no allocation. A longer text is cut as a FixedText is:
// between characters, never inside one.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <span>
#include <string_view>

#include "text/characters.hpp"

namespace text {

template <std::size_t N>
class InlineText {
 public:
  static constexpr std::size_t Capacity = N;

  void Assign(std::string_view text) {
    length_ = 0;
    // Apart, so that a text of known length is copied by moves of that length.
    if (text.size() <= N) [[likely]]
      Copy(text.data(), text.size());
    else
      Copy(text.data(), CharacterCut(text, N));
  }
  void Clear() { length_ = 0; }

  // For the writers that fill the text in place: where it ends, and, once
  // they have written there (within Capacity), its new end.
  char* End() { return bytes_.data() + length_; }
  void SetEnd(char* end) { length_ = static_cast<std::size_t>(end - bytes_.data()); }

  bool Empty() const { return length_ == 0; }
  std::string_view View() const { return {bytes_.data(), length_}; }
  std::span<char> Span() { return {bytes_.data(), length_}; }

 private:
  // In moves of 16 bytes (where there is room for one), the last one
  // overlapping the one before: a copy of unknown length up to a few hundred
  // bytes is otherwise made a string instruction that costs more than the
  // work it serves.
  void Copy(const char* from, std::size_t n) {
    char* const to = bytes_.data() + length_;
    if (N >= 16 && n >= 16) {
      for (std::size_t i = 0; i + 16 < n; i += 16) std::memcpy(to + i, from + i, 16);
      std::memcpy(to + n - 16, from + n - 16, 16);
    } else {
      std::copy_n(from, n, to);
    }
    length_ += n;
  }

  std::array<char, N> bytes_;
  std::size_t length_ = 0;
};

}  // namespace text
