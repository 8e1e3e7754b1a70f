#pragma once
// What HelpShow does once it can ask the platform: which document, which
// request, which errors. The platform's answers come in through HelpPlatform.

#include <span>
#include <string>
#include <string_view>

#include "toolkit/frame/start_paths.hpp"

namespace toolkit {

enum class HelpRequest { Contents, ContentsTopics, Topic, PopupTopic, Quit };

enum class BrowserSearch { Found, FileNotFound, Failed };

struct FoundBrowser {
  BrowserSearch Outcome = BrowserSearch::Failed;
  std::string Program;
};

struct HelpPlatform {
  std::string_view ProgramPath;  // the program's own full path
  // False where the platform has no viewer for help files: they are then
  // shown as their HTML twin (same name, ".htm") in the browser.
  bool HasHelpEngine = true;
  void (*ReadVariable)(std::string_view name, std::span<char> value) = nullptr;  // as IOsVariable
  ExistsTest FileExists = nullptr;
  // Creates or replaces a file holding the one line; failures show only in
  // whether the file exists afterwards.
  void (*WriteTextFile)(std::string_view path, std::string_view line) = nullptr;
  void (*RemoveFile)(std::string_view path) = nullptr;
  // False when the help engine refuses. An empty path goes with Quit.
  bool (*AskHelpEngine)(std::string_view path, HelpRequest request, int topic) = nullptr;
  FoundBrowser (*FindBrowser)(std::string_view document) = nullptr;
  bool (*Start)(std::string_view commandLine) = nullptr;
};

inline constexpr std::string_view TemporaryPageLine = "Temporary Kestrafolio file. Please delete.";

void ShowHelpDocument(const HelpPlatform& platform, std::string_view document, int topic, int popup);

// The file ShowHelpDocument opens for a help file or a local page: beside
// the program when named alone, the help file's HTML twin where there is no
// help engine. Empty for an address, a blank or an invalid name, or when the
// program's folder is unknown.
std::string DocumentToOpen(const HelpPlatform& platform, std::string_view document);

}  // namespace toolkit
