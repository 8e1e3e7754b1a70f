#include "toolkit/frame/help_document.hpp"

#include <cctype>

#include "text/text_utilities.hpp"

namespace toolkit {
namespace {

constexpr std::string_view TemporaryPageName = "$$tmp$$.htm";

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  text::UpperCaseString(upper);
  return upper;
}

std::string_view DirectoryOf(std::string_view path) {
  const std::size_t last = path.rfind('\\');
  return last == std::string_view::npos ? std::string_view() : path.substr(0, last + 1);
}

std::string Quoted(std::string_view text) {
  if (text.find(' ') == std::string_view::npos) return std::string(text);
  return '"' + std::string(text) + '"';
}

}  // namespace

HelpDocument ClassifyHelpDocument(std::string_view name) {
  const std::string upper = UpperCase(text::TrimTrailing(name));
  if (upper.empty() || upper.ends_with(".HLP")) return HelpDocument::HelpFile;
  if (upper.find("HTTP://") != std::string::npos) return HelpDocument::Address;
  if (upper.ends_with(".HTM") || upper.ends_with(".HTML")) return HelpDocument::LocalHypertext;
  return HelpDocument::Invalid;
}

std::string BesideProgram(std::string_view name, std::string_view programPath) {
  const bool located = name.find('\\') != std::string_view::npos || (name.size() > 1 && name[1] == ':');
  if (located) return std::string(name);
  // Without the program's folder there is nowhere to look: never the
  // current folder, whatever lies there.
  const std::string_view directory = DirectoryOf(programPath);
  if (directory.empty()) return {};
  return std::string(directory) + std::string(name);
}

std::string ContentsFileName(std::string_view helpFile) {
  const std::size_t dot = helpFile.rfind('.');
  return std::string(helpFile.substr(0, dot)) + ".cnt";
}

std::string HypertextTwin(std::string_view helpFile) {
  const std::size_t dot = helpFile.rfind('.');
  return std::string(helpFile.substr(0, dot)) + ".htm";
}

std::string TopicAddress(std::string_view page, int topic) {
  constexpr std::string_view Hex = "0123456789ABCDEF";
  std::string address = "file:///";
  for (const char c : page) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      address += '/';
    } else if ((byte < 0x80 && std::isalnum(byte) != 0) || std::string_view("-._~:/").find(c) != std::string_view::npos) {
      address += c;
    } else {
      address += '%';
      address += Hex[byte >> 4];
      address += Hex[byte & 15];
    }
  }
  return address + "#topic" + std::to_string(topic);
}

std::vector<std::string> TemporaryPageCandidates(std::string_view tmp, std::string_view temp,
                                                 std::string_view programPath) {
  const std::size_t firstSeparator = programPath.find('\\');
  const std::string_view driveRoot =
      firstSeparator == std::string_view::npos ? std::string_view() : programPath.substr(0, firstSeparator);
  std::vector<std::string> candidates;
  for (const std::string_view directory :
       {text::TrimTrailing(tmp), text::TrimTrailing(temp), DirectoryOf(programPath), driveRoot,
        std::string_view("C:\\")}) {
    if (directory.empty()) continue;
    std::string path(directory);
    if (path.back() != '\\') path += '\\';
    candidates.push_back(path + std::string(TemporaryPageName));
  }
  return candidates;
}

std::string BrowserCommandLine(std::string_view browser, std::string_view document) {
  return Quoted(browser) + ' ' + Quoted(document);
}

}  // namespace toolkit
