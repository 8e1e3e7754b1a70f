#include "toolkit/state/abnormal_exit.hpp"

#include <cstdio>
#include <cstdlib>

#include "text/characters.hpp"
#include "text/text_utilities.hpp"
#include "toolkit/state/error_screen.hpp"

namespace toolkit {

text::FixedText<255> AbnormalExitText(std::string_view message, int code) {
  text::FixedText<255> text("Abnormal exit (code     ) :");
  char number[5] = "****";
  if (code >= -999 && code <= 9999) std::snprintf(number, sizeof number, "%4d", code);
  std::copy_n(number, 4, text.Bytes.begin() + 20);
  // The code is written in four columns; moving the tail left makes it follow
  // "(code " directly, whatever its number of digits.
  text::JustifyString(std::span<char>(text.Bytes.data() + 20, 7), "L");

  const std::size_t prefix = text::TrimTrailing(text.View()).size();
  const std::string_view body = text::TrimTrailing(message);
  const std::size_t room = text.Length() - prefix - 1;
  // Cut between characters: half a character shows as garbage in the box.
  std::copy_n(body.data(), text::CharacterCut(body, room), text.Bytes.begin() + prefix + 1);
  return text;
}

void AbnormalExit(std::string_view message, int code) {
  if (!text::TrimTrailing(message).empty()) ShowFatalMessage(AbnormalExitText(message, code).Trimmed());
  std::exit(code);
}

}  // namespace toolkit
