#pragma once
// What the open and save dialogs are handed and what is taken from their
// answer, worked out without a window.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace toolkit {

// The platform's file-type list: items separated by NUL bytes, ended by two.
struct FilterList {
  std::array<char, 256> Bytes{};
  bool Present = false;  // an empty filter gives a dialog without file types
};

// Every occurrence of the text's last significant character separates two
// items; at most the first 255 characters are used.
FilterList PrepareFilter(std::string_view filter);

struct PathParts {
  std::string_view Directory;  // empty: the current directory
  std::string_view File;
};

// Splits an initial path at its last separator or colon, blanks and NULs
// around it ignored; a path ending in ".." is all directory.
PathParts PathSplit(std::string_view path, char separator);

// The platform's flags for the toolkit's: read-only box hidden always; the
// typed folder must exist unless SelectAnyPath; SelectPrompt asks before
// replacing (save) or creating (open); SelectMultiple, open only;
// SelectFollowType, save only (a hooked dialog).
std::uint32_t FileDialogFlags(int flags);

// The chosen name in the dialog's answer: up to the first NUL, or for a
// multiple selection up to the first pair of NULs. Nothing when the answer
// is empty or has no end.
std::optional<std::string_view> ChosenName(std::span<const char> answer, bool multiple);

// The name in a save dialog once the user picks the type numbered index
// (1-based) of the filter: a name ending in the extension of one of the
// filter's patterns ("*.gpx") takes the extension of the chosen one, as
// Windows' own programs do; another name, or a pattern that is no plain
// extension, gives nothing and the name stays as typed.
std::optional<std::string> NameForType(std::string_view name, const FilterList& filter, int index);

}  // namespace toolkit
