#include "text/characters.hpp"

#include "text/wide_names.hpp"

namespace text {

namespace {

constexpr bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::size_t CharacterCut(std::string_view text, std::size_t limit) {
  if (limit >= text.size()) return text.size();
  // Only a sequence that starts in the last three bytes kept can reach past the cut.
  for (std::size_t start = limit; start > 0 && limit - start < 3;) {
    --start;
    if (IsContinuation(text[start])) continue;
    std::size_t end = start;
    NextCodePoint(text, end);
    return end > limit ? start : limit;
  }
  return limit;
}

std::size_t CharactersLength(std::string_view text, std::size_t count) {
  std::size_t at = 0;
  for (; count > 0 && at < text.size(); --count) NextCodePoint(text, at);
  return at;
}

}  // namespace text
