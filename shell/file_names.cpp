#include "shell/file_names.hpp"

#include <vector>

#include "shell/application_state.hpp"
#include "shell/convert_log.hpp"
#include "toolkit/codes.hpp"

namespace shell {

std::optional<std::string> AskForName(Toolkit& toolkit, std::string_view filter, int flags,
                                      std::string_view proposed, std::string_view title, int* filterIndex) {
  std::string field(GivenNameBytes, ' ');
  field.replace(0, std::min(proposed.size(), field.size()), proposed.substr(0, field.size()));
  toolkit.FileSelect(filter, flags, field, title, filterIndex);
  if (toolkit.DialogInfo(toolkit::DialogInfoCode::CommonResult) != toolkit::Answer::Yes) return std::nullopt;
  field.erase(field.find_last_not_of(' ') + 1);
  return field;
}

bool NameFits(Toolkit& toolkit, std::string_view name) {
  if (name.size() <= NameBytes) return true;
  ReportFailure(toolkit, name,
                "the name is too long: Pinwell holds names of up to " + std::to_string(NameBytes) +
                    " bytes (256 characters of any script, or any path of up to 259 characters)");
  return false;
}

}  // namespace shell
