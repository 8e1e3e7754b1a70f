#include "shell/progress.hpp"

#include <algorithm>

#include "text/characters.hpp"

namespace shell {

namespace {

constexpr int LineX = 100;
constexpr int LineSpacing = 1000;
constexpr std::size_t PrefixCharacters = 3;

}  // namespace

FileName AbbreviatePath(std::string_view path, int width) {
  const FileName whole(path);
  if (std::ssize(whole.Trimmed()) <= width) return whole;

  std::string r(whole.View());
  // Three characters, not bytes: a name that starts beyond ASCII keeps its first character whole.
  const std::size_t prefix = text::CharactersLength(r, PrefixCharacters);
  while (std::ssize(text::TrimTrailing(r)) > width - 3) {
    const std::size_t first = r.find('\\');
    // The folder dropped ends at a backslash after the kept prefix: one inside
    // it (as in "\\server\share") would make the path longer every round.
    const std::size_t second =
        first == std::string::npos ? first : r.find('\\', std::max(first + 1, prefix));
    if (second == std::string::npos) return FileName(std::string_view(r).substr(prefix));
    r.erase(prefix, second + 1 - prefix);
  }
  r.insert(prefix, "...\\");
  return FileName(r);
}

std::string PathLine(std::string_view prefix, const FileName& path) {
  std::string line(prefix);
  line += AbbreviatePath(path.View(), PathWidth).Trimmed();
  return std::string(text::TrimTrailing(line));
}

void AddProgressLine(Toolkit& toolkit, std::string_view line) {
  ApplicationState& app = Application;
  toolkit.TextAt(LineX, LineSpacing * (app.ProgressLineCount + 1), line);
  if (app.ProgressLineCount == MaxProgressLines) return;
  app.ProgressLines[app.ProgressLineCount] = line;
  ++app.ProgressLineCount;
}

void AddRollingLine(Toolkit& toolkit, std::string_view line) {
  ApplicationState& app = Application;
  if (app.ProgressLineCount < MaxProgressLines) {
    AddProgressLine(toolkit, line);
    return;
  }
  std::shift_left(app.ProgressLines.begin(), app.ProgressLines.end(), 1);
  app.ProgressLines.back() = line;
  RedrawProgress(toolkit);
}

void RedrawProgress(Toolkit& toolkit) {
  const ApplicationState& app = Application;
  toolkit.ClearClientArea();
  for (int i = 0; i < app.ProgressLineCount; ++i) {
    toolkit.TextAt(LineX, LineSpacing * (i + 1), app.ProgressLines[i].Trimmed());
  }
}

}  // namespace shell
