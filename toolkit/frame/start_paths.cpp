#include "toolkit/frame/start_paths.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "text/text_utilities.hpp"

namespace toolkit {
namespace {

std::string SeparatorEnded(std::string_view directory) {
  std::string text(text::TrimTrailing(directory));
  if (!text.empty() && text.back() != '\\') text += '\\';
  return text;
}

}  // namespace

text::FixedText<140> WithSeparator(std::string_view directory) { return text::FixedText<140>(SeparatorEnded(directory)); }

text::FixedText<140> RootFromKestra(std::string_view kestra) { return WithSeparator(kestra); }

text::FixedText<140> RootFromKide(std::string_view kide) {
  text::FixedText<140> root(kide);
  text::FixedText<140> upper = root;
  text::UpperCaseString(upper.Span());
  const std::size_t at = upper.View().rfind("KIDE");
  if (at != std::string_view::npos) std::fill(root.Bytes.begin() + at, root.Bytes.end(), ' ');
  return root;
}

text::FixedText<140> RootFromDrive(std::string_view currentDirectory) {
  text::FixedText<2> drive(currentDirectory);
  std::string root(drive.View());
  root += "\\kest\\";
  return text::FixedText<140>(root);
}

text::FixedText<160> TempPlotFileName(std::string_view temp, std::string_view tmp, ExistsTest fileExists) {
  std::string directory = SeparatorEnded(temp);
  if (directory.empty()) directory = SeparatorEnded(tmp);
  if (directory.empty()) directory = "C:\\";

  std::string name;
  for (int number = 0; number <= 99; ++number) {
    std::array<char, 16> file;
    std::snprintf(file.data(), file.size(), "kvt$$%02d.plt", number);
    name = directory + file.data();
    if (!fileExists(name)) break;
  }
  return text::FixedText<160>(name);
}

text::FixedText<140> StrokeFontDirectory(std::string_view lumchdir, std::string_view root, ExistsTest directoryExists) {
  if (!text::TrimTrailing(lumchdir).empty()) return text::FixedText<140>(lumchdir);
  if (text::TrimTrailing(root).empty()) return {};
  const std::string charsets = std::string(text::TrimTrailing(root)) + "charsets";
  if (charsets.size() > 140 || !directoryExists(charsets)) return {};
  return text::FixedText<140>(charsets);
}

}  // namespace toolkit
