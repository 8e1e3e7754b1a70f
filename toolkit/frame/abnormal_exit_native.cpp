// Without a window system the fatal message goes to standard error.
#include <cstdio>
#include <cstdlib>

#include "text/text_utilities.hpp"
#include "toolkit/frame/abnormal_exit_text.hpp"
#include "toolkit/frame/errors.hpp"

namespace toolkit {

void AbnormalExit(std::string_view message, int code) {
  if (!text::TrimTrailing(message).empty()) {
    const std::string_view text = AbnormalExitText(message, code).Trimmed();
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  std::exit(code);
}

}  // namespace toolkit
