#include "toolkit/dialogs/file_select_setup.hpp"

#include <algorithm>
#include <vector>

#include "text/text_utilities.hpp"
#include "toolkit/codes.hpp"

namespace toolkit {

namespace {

// The platform's numbers (commdlg.h).
constexpr std::uint32_t OverwritePrompt = 0x2;
constexpr std::uint32_t HideReadOnly = 0x4;
constexpr std::uint32_t EnableHook = 0x20;
constexpr std::uint32_t AllowMultiSelect = 0x200;
constexpr std::uint32_t PathMustExist = 0x800;
constexpr std::uint32_t CreatePrompt = 0x2000;
constexpr std::uint32_t Explorer = 0x80000;

}  // namespace

std::uint32_t FileDialogFlags(int flags) {
  std::uint32_t platform = HideReadOnly;
  if ((flags & SelectAnyPath) == 0) platform |= PathMustExist;
  const bool save = (flags & SelectSave) != 0;
  if ((flags & SelectPrompt) != 0) platform |= save ? OverwritePrompt : CreatePrompt;
  if (!save && (flags & SelectMultiple) != 0) platform |= AllowMultiSelect | Explorer;
  // The name follows the type through a hook, which needs the explorer style.
  if (save && (flags & SelectFollowType) != 0) platform |= EnableHook | Explorer;
  return platform;
}

FilterList PrepareFilter(std::string_view filter) {
  FilterList list;
  const std::string_view used = text::TrimTrailing(filter).substr(0, list.Bytes.size() - 1);
  if (used.empty()) return list;
  list.Present = true;
  // The buffer is zeroed, so the NUL that replaces the last character is
  // followed by a second one: the list's end.
  std::replace_copy(used.begin(), used.end(), list.Bytes.begin(), used.back(), '\0');
  return list;
}

PathParts PathSplit(std::string_view path, char separator) {
  const std::size_t first = std::find_if(path.begin(), path.end(), text::IsSignificant) - path.begin();
  const std::string_view text = text::TrimTrailing(path.substr(first));
  const std::size_t n = text.size();
  if (n == 0) return {};
  if (n > 1 && text.ends_with("..")) return {text, {}};

  const char separators[] = {separator, ':'};
  const std::size_t p = text.find_last_of(std::string_view(separators, 2));
  if (p == std::string_view::npos) return {{}, text};
  if (p == n - 1) {
    // A folder written with a trailing separator loses it; a root keeps it.
    const bool root = !(text.find(separator) < p);
    return {root ? text : text.substr(0, p), {}};
  }
  // A separator that is a root's ("\x", "D:\x") and a drive's colon ("D:x")
  // stay with the directory: without them it would name another folder.
  const bool keep = text[p] == ':' || p == 0 || (p == 2 && text[1] == ':');
  return {text.substr(0, keep ? p + 1 : p), text.substr(p + 1)};
}

std::optional<std::string_view> ChosenName(std::span<const char> answer, bool multiple) {
  const std::string_view all(answer.data(), answer.size());
  const std::size_t end = all.find(multiple ? std::string_view("\0\0", 2) : std::string_view("\0", 1));
  if (end == std::string_view::npos || end == 0) return std::nullopt;
  return all.substr(0, end);
}

namespace {

// ".gpx" of "*.gpx"; empty for "*.*", "*.htm;*.html" and the like.
std::string_view PatternExtension(std::string_view pattern) {
  if (!pattern.starts_with("*.") || pattern.size() == 2) return {};
  const std::string_view extension = pattern.substr(1);
  return extension.find_first_of("*?;. ", 1) == std::string_view::npos ? extension : std::string_view();
}

}  // namespace

std::optional<std::string> NameForType(std::string_view name, const FilterList& filter, int index) {
  if (!filter.Present || index < 1) return std::nullopt;
  // The items alternate description and pattern, up to the empty one.
  std::vector<std::string_view> patterns;
  const std::string_view bytes(filter.Bytes.data(), filter.Bytes.size());
  for (std::size_t at = 0, item = 0; at < bytes.size() && bytes[at] != '\0'; ++item) {
    const std::size_t end = std::min(bytes.find('\0', at), bytes.size());
    if (item % 2 == 1) patterns.push_back(bytes.substr(at, end - at));
    at = end + 1;
  }
  if (static_cast<std::size_t>(index) > patterns.size()) return std::nullopt;
  const std::string_view chosen = PatternExtension(patterns[static_cast<std::size_t>(index - 1)]);
  if (chosen.empty()) return std::nullopt;
  for (const std::string_view pattern : patterns) {
    const std::string_view extension = PatternExtension(pattern);
    if (extension.empty() || name.size() <= extension.size()) continue;
    const std::string_view stem = name.substr(0, name.size() - extension.size());
    if (!text::SameIgnoringCase(name.substr(stem.size()), extension) || stem.ends_with('\\') || stem.ends_with('/'))
      continue;
    return std::string(stem).append(chosen);
  }
  return std::nullopt;
}

}  // namespace toolkit
