#pragma once
// Where a UTF-8 text may be cut for display. A cut inside a sequence leaves
// bytes that show as a replacement character or as garbage; a byte that
// starts no well-formed sequence counts as one character of its own, so a
// text from elsewhere (the ANSI code page) is cut as before.

#include <cstddef>
#include <string_view>

namespace text {

// The longest start of text of at most limit bytes that ends between characters.
std::size_t CharacterCut(std::string_view text, std::size_t limit);

// The bytes taken by the first count characters of text (all of it when it is shorter).
std::size_t CharactersLength(std::string_view text, std::size_t count);

}  // namespace text
