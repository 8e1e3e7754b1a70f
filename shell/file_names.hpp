#pragma once
// The names a user gives the program: chosen in its file dialogs, named on
// its command line, dropped onto its window. A name that its fields cannot
// hold is refused, with a box that says so, before anything changes: a cut
// name would be another file.

#include <optional>
#include <string>
#include <string_view>

#include "shell/toolkit_interface.hpp"

namespace shell {

// Room for any name the system can give: 32,767 UTF-16 units, at most 3
// bytes each in UTF-8.
inline constexpr std::size_t GivenNameBytes = 3 * 32767;

// FileSelect with a field as long as any name the dialog can give, starting
// from proposed; the chosen name, or nothing when the user cancelled (or the
// dialog failed, which the toolkit reports). The type chosen lands in
// filterIndex when asked for.
std::optional<std::string> AskForName(Toolkit& toolkit, std::string_view filter, int flags,
                                      std::string_view proposed, std::string_view title, int* filterIndex = nullptr);

// True when the name fits the application's name fields; otherwise the box
// of a failed Save says why, naming the file, and it is false.
bool NameFits(Toolkit& toolkit, std::string_view name);

}  // namespace shell
