#pragma once
// A text field of exactly N bytes, blank-padded: the form in which texts pass
// between the application and the toolkit, wherever a text's length shows.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "text/characters.hpp"
#include "text/text_utilities.hpp"

namespace text {

template <std::size_t N>
struct FixedText {
  std::array<char, N> Bytes;

  FixedText() { Bytes.fill(' '); }
  FixedText(std::string_view text) { Assign(text); }  // NOLINT: texts convert implicitly

  // Cuts a longer text at N bytes, or just before the character that N would
  // split, and pads with blanks. A text that fits is held byte for byte.
  void Assign(std::string_view text) {
    const std::size_t n = CharacterCut(text, N);
    std::copy_n(text.data(), n, Bytes.data());
    std::fill(Bytes.begin() + n, Bytes.end(), ' ');
  }
  FixedText& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }

  static constexpr std::size_t Length() { return N; }
  std::string_view View() const { return {Bytes.data(), N}; }
  std::string_view Trimmed() const { return TrimTrailing(View()); }
  bool IsBlank() const { return Trimmed().empty(); }
  std::span<char> Span() { return Bytes; }

  char& operator[](std::size_t i) { return Bytes[i]; }
  char operator[](std::size_t i) const { return Bytes[i]; }
  bool operator==(const FixedText&) const = default;
};

}  // namespace text
