#include "toolkit/state/error_screen.hpp"

#include <cstdio>

namespace toolkit {
namespace {

ErrorScreen Registered;

}  // namespace

void RegisterErrorScreen(const ErrorScreen& screen) {
  if (screen.StatusBarLine != nullptr) Registered.StatusBarLine = screen.StatusBarLine;
  if (screen.BoxSaysContinue != nullptr) Registered.BoxSaysContinue = screen.BoxSaysContinue;
  if (screen.FatalMessage != nullptr) Registered.FatalMessage = screen.FatalMessage;
}

void ShowErrorLineInStatusBar(std::string_view line) {
  if (Registered.StatusBarLine != nullptr) Registered.StatusBarLine(line);
}

bool ErrorBoxSaysContinue(std::string_view line) {
  return Registered.BoxSaysContinue != nullptr && Registered.BoxSaysContinue(line);
}

void ShowFatalMessage(std::string_view text) {
  if (Registered.FatalMessage != nullptr) return Registered.FatalMessage(text);
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace toolkit
