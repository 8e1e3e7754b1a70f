#include "toolkit/frame/help_sequence.hpp"

#include <string>

#include "text/fixed_text.hpp"
#include "toolkit/frame/help_document.hpp"
#include "toolkit/state/error_numbers.hpp"
#include "toolkit/state/errors.hpp"

namespace toolkit {
namespace {

// The first candidate that holds the page after writing it there; empty
// when none does.
std::string WriteTemporaryPage(const HelpPlatform& platform) {
  text::FixedText<260> tmp;
  text::FixedText<260> temp;
  platform.ReadVariable("TMP", tmp.Span());
  platform.ReadVariable("TEMP", temp.Span());
  for (const std::string& path : TemporaryPageCandidates(tmp.View(), temp.View(), platform.ProgramPath)) {
    platform.WriteTextFile(path, TemporaryPageLine);
    if (platform.FileExists(path)) return path;
  }
  return {};
}

void OpenInBrowser(const HelpPlatform& platform, std::string_view file, std::string_view argument) {
  const FoundBrowser browser = platform.FindBrowser(file);
  if (browser.Outcome == BrowserSearch::FileNotFound) {
    ErrorRaise(ErrorNumber::FileOpenFailed);
  } else if (browser.Outcome == BrowserSearch::Failed ||
             !platform.Start(BrowserCommandLine(browser.Program, argument))) {
    ErrorRaise(ErrorNumber::HelpViewerFailed);
  }
}

// The help file's HTML twin in the browser: its contents, or the topic's
// anchor for a topic (a popup has no window of its own there).
void ShowTwinInBrowser(const HelpPlatform& platform, std::string_view helpFile, int topic) {
  const std::string page = HypertextTwin(helpFile);
  if (!platform.FileExists(page)) {
    ErrorRaise(ErrorNumber::FileOpenFailed);
    return;
  }
  OpenInBrowser(platform, page, topic == -1 ? page : TopicAddress(page, topic));
}

}  // namespace

void ShowHelpDocument(const HelpPlatform& platform, std::string_view document, int topic, int popup) {
  const text::FixedText<513> field(document);
  const std::string_view name = field.Trimmed();
  if (name.empty()) {
    // Without the viewer, help went to the user's own browser, which may hold
    // pages of theirs and whose window the system does not hand back: it is
    // left open.
    if (!platform.HasHelpEngine) return;
    if (!platform.AskHelpEngine("", HelpRequest::Quit, 0)) ErrorRaise(ErrorNumber::HelpViewerFailed);
    return;
  }

  const HelpDocument kind = ClassifyHelpDocument(name);
  if (kind == HelpDocument::Invalid) {
    ErrorRaise(ErrorNumber::InvalidHelpFileExtension);
    return;
  }

  if (kind == HelpDocument::Address) {
    const std::string page = WriteTemporaryPage(platform);
    if (page.empty()) {
      ErrorRaise(ErrorNumber::HelpViewerFailed);
      return;
    }
    // The browser gets the address as the caller wrote it; the page only
    // tells the system which browser that is.
    OpenInBrowser(platform, page, name);
    if (platform.FileExists(page)) platform.RemoveFile(page);
    return;
  }

  const std::string path = BesideProgram(name, platform.ProgramPath);
  if (kind == HelpDocument::HelpFile && !platform.HasHelpEngine && !path.empty()) {
    ShowTwinInBrowser(platform, path, topic);
    return;
  }
  if (path.empty() || !platform.FileExists(path)) {
    ErrorRaise(ErrorNumber::FileOpenFailed);
    return;
  }
  if (kind == HelpDocument::LocalHypertext) {
    OpenInBrowser(platform, path, path);
    return;
  }

  HelpRequest request = HelpRequest::Contents;
  if (topic != -1) {
    request = popup == 1 ? HelpRequest::PopupTopic : HelpRequest::Topic;
  } else if (platform.FileExists(ContentsFileName(path))) {
    request = HelpRequest::ContentsTopics;
  }
  if (!platform.AskHelpEngine(path, request, topic == -1 ? 0 : topic)) ErrorRaise(ErrorNumber::HelpViewerFailed);
}

std::string DocumentToOpen(const HelpPlatform& platform, std::string_view document) {
  const text::FixedText<513> field(document);
  const std::string_view name = field.Trimmed();
  const HelpDocument kind = ClassifyHelpDocument(name);
  if (name.empty() || kind == HelpDocument::Invalid || kind == HelpDocument::Address) return {};
  const std::string path = BesideProgram(name, platform.ProgramPath);
  if (kind == HelpDocument::HelpFile && !platform.HasHelpEngine && !path.empty()) return HypertextTwin(path);
  return path;
}

}  // namespace toolkit
