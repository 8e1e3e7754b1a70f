#include <windows.h>

#include <shellapi.h>

#include <array>
#include <string>

#include "toolkit/frame/help_sequence.hpp"
#include "toolkit/frame/help_show.hpp"
#include "toolkit/frame/os_variable.hpp"
#include "toolkit/frame/platform_files_win32.hpp"
#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {
namespace {

void WriteTextFile(std::string_view path, std::string_view line) {
  const HANDLE file = CreateFileW(PlatformText(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = std::string(line) + "\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

void RemoveFile(std::string_view path) { DeleteFileW(PlatformText(path).c_str()); }

UINT HelpCommand(HelpRequest request) {
  switch (request) {
    case HelpRequest::Contents: return HELP_CONTENTS;
    case HelpRequest::ContentsTopics: return HELP_FINDER;
    case HelpRequest::Topic: return HELP_CONTEXT;
    case HelpRequest::PopupTopic: return HELP_CONTEXTPOPUP;
    case HelpRequest::Quit: return HELP_QUIT;
  }
  return HELP_CONTENTS;
}

std::string AnsiText(std::wstring_view wide, BOOL* lost) {
  const int length = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, lost);
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, ansi.data(), bytes, nullptr, lost);
  return ansi;
}

// The help engine takes its file's name in the ANSI code page only, on
// Windows as under Wine. A name that the code page cannot hold (a program
// installed under C:\Programme\<CJK>\) goes in its short form, which it can.
std::string EngineFileName(std::string_view path) {
  const std::wstring wide = PlatformText(path);
  BOOL lost = FALSE;
  std::string ansi = AnsiText(wide, &lost);
  if (!lost) return ansi;
  std::wstring shortName(MAX_PATH, L'\0');
  const DWORD length = GetShortPathNameW(wide.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
  if (length == 0 || length >= shortName.size()) return ansi;
  return AnsiText({shortName.data(), length}, &lost);
}

bool AskHelpEngine(std::string_view path, HelpRequest request, int topic) {
  // The help engine closes its window for an owner that quits, so the owner
  // is the root window's frame for every request.
  return WinHelpA(Layer.Slots[0].Frame, EngineFileName(path).c_str(), HelpCommand(request),
                  static_cast<ULONG_PTR>(topic)) != FALSE;
}

FoundBrowser FindBrowser(std::string_view document) {
  std::array<wchar_t, MAX_PATH> program{};
  const auto result =
      reinterpret_cast<INT_PTR>(FindExecutableW(PlatformText(document).c_str(), nullptr, program.data()));
  if (result > 32) return {BrowserSearch::Found, TextFromPlatform(program.data())};
  if (result == SE_ERR_FNF || result == SE_ERR_PNF) return {BrowserSearch::FileNotFound, {}};
  return {BrowserSearch::Failed, {}};
}

// As the system's WinExec starts a command line, but by its wide form.
bool Start(std::string_view commandLine) {
  std::wstring line = PlatformText(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

// Windows has shipped without the viewer of help files since Vista. What
// stands in its place only says so (the viewer was a download of its own up
// to 8.1, and there is none for 10 and 11), and by name and place it cannot
// be told from a viewer the user installed; the version can be read, and
// the browser shows the same help on every Windows. So from Vista on help
// files go to the browser as their HTML twin. Before Vista the viewer is
// part of Windows, unless a stripped-down system left it out, which its
// absence tells. Under Wine the version its prefix reports decides alike.
bool HasHelpEngine() {
  constexpr int Vista = 6;
  if (LOBYTE(LOWORD(GetVersion())) >= Vista) return false;
  std::array<char, MAX_PATH> folder{};
  for (const auto folderOf : {GetWindowsDirectoryA, GetSystemDirectoryA}) {
    const UINT length = folderOf(folder.data(), folder.size());
    if (length > 0 && length < folder.size() && FileExists(std::string(folder.data(), length) + "\\winhlp32.exe")) {
      return true;
    }
  }
  return false;
}

// The whole path however deep the folder; empty only when the system
// cannot give it, and then no help file is looked for beside the program.
std::string ProgramPath() {
  constexpr std::size_t Longest = 32768;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return TextFromPlatform({path.data(), length});
    if (path.size() >= Longest) return {};
    path.resize(path.size() * 2);
  }
}

// program: the program's path, which the platform record points to.
HelpPlatform Platform(const std::string& program) {
  HelpPlatform platform;
  platform.ProgramPath = program;
  platform.HasHelpEngine = HasHelpEngine();
  platform.ReadVariable = IOsVariable;
  platform.FileExists = FileExists;
  platform.WriteTextFile = WriteTextFile;
  platform.RemoveFile = RemoveFile;
  platform.AskHelpEngine = AskHelpEngine;
  platform.FindBrowser = FindBrowser;
  platform.Start = Start;
  return platform;
}

}  // namespace

void HelpShow(std::string_view document, int topic, int popup) {
  const std::string program = ProgramPath();
  ShowHelpDocument(Platform(program), document, topic, popup);
}

std::string HelpDocumentPath(std::string_view document) {
  const std::string program = ProgramPath();
  return DocumentToOpen(Platform(program), document);
}

}  // namespace toolkit
