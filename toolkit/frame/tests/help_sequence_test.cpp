#include <doctest/doctest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "toolkit/frame/help_sequence.hpp"
#include "toolkit/frame/os_variable.hpp"
#include "toolkit/state/errors.hpp"

using namespace toolkit;

namespace {

// The platform a test describes, and what HelpShow asked of it, in order.
std::map<std::string, std::string, std::less<>> environment;
std::set<std::string, std::less<>> files;
std::set<std::string, std::less<>> writableDirectories;
FoundBrowser browser;
bool engineAccepts = true;
bool startSucceeds = true;
std::vector<std::string> calls;

void ReadVariable(std::string_view name, std::span<char> value) {
  const auto found = environment.find(name);
  StoreVariableValue(found == environment.end() ? std::nullopt : std::optional<std::string_view>(found->second),
                     value);
}

bool FileExists(std::string_view name) { return files.contains(name); }

void WriteTextFile(std::string_view path, std::string_view line) {
  calls.push_back("write " + std::string(path) + " " + std::string(line));
  if (writableDirectories.contains(path.substr(0, path.rfind('\\') + 1))) files.emplace(path);
}

void RemoveFile(std::string_view path) {
  calls.push_back("remove " + std::string(path));
  files.erase(std::string(path));
}

bool AskHelpEngine(std::string_view path, HelpRequest request, int topic) {
  constexpr std::string_view names[] = {"contents", "contents topics", "topic", "popup topic", "quit"};
  calls.push_back("help " + std::string(names[static_cast<int>(request)]) + " [" + std::string(path) + "] " +
                  std::to_string(topic));
  return engineAccepts;
}

FoundBrowser FindBrowser(std::string_view document) {
  calls.push_back("find " + std::string(document));
  return browser;
}

bool Start(std::string_view commandLine) {
  calls.push_back("start " + std::string(commandLine));
  return startSucceeds;
}

struct Outcome {
  std::vector<std::string> Calls;
  int Error = 0;
};

std::string_view programPath;
bool hasHelpEngine = true;

Outcome Show(std::string_view document, int topic = -1, int popup = 0) {
  const HelpPlatform platform{programPath, hasHelpEngine, ReadVariable,  FileExists, WriteTextFile,
                              RemoveFile,  AskHelpEngine, FindBrowser, Start};
  calls.clear();
  ErrorQuery(1);
  ShowHelpDocument(platform, document, topic, popup);
  return {calls, ErrorQuery(1)};
}

using Calls = std::vector<std::string>;
const std::string HelpFile = "C:\\Program Files\\Pinwell\\Pinwell.hlp";
const std::string PageLine = " Temporary Kestrafolio file. Please delete.";
const std::string StartBrowser = "start \"C:\\Program Files\\Web\\browse.exe\" ";

}  // namespace

TEST_CASE("HelpShow with a help file") {
  programPath = "C:\\Program Files\\Pinwell\\Pinwell.exe";
  hasHelpEngine = true;
  files = {HelpFile};
  engineAccepts = true;

  SUBCASE("contents, topic and popup topic of the file beside the program; the topics window with a contents file") {
    CHECK(Show("Pinwell.hlp").Calls == Calls{"help contents [" + HelpFile + "] 0"});
    CHECK(Show("Pinwell.hlp", 20).Calls == Calls{"help topic [" + HelpFile + "] 20"});
    CHECK(Show("Pinwell.hlp", 20, 1).Calls == Calls{"help popup topic [" + HelpFile + "] 20"});
    files.insert("C:\\Program Files\\Pinwell\\Pinwell.cnt");
    CHECK(Show("Pinwell.hlp").Calls == Calls{"help contents topics [" + HelpFile + "] 0"});
  }
  SUBCASE("a blank name closes the viewer; a refusal raises 1030") {
    const Outcome closed = Show(" ");
    CHECK(closed.Calls == Calls{"help quit [] 0"});
    CHECK(closed.Error == 0);
    engineAccepts = false;
    CHECK(Show("Pinwell.hlp").Error == 1030);
  }
  SUBCASE("not beside the program (the current directory does not count): 1, and nothing started") {
    files = {"Pinwell.hlp"};
    const Outcome missing = Show("Pinwell.hlp");
    CHECK(missing.Calls.empty());
    CHECK(missing.Error == 1);
    // Nor when the program's own path could not be had.
    programPath = "";
    const Outcome unknown = Show("Pinwell.hlp");
    CHECK(unknown.Calls.empty());
    CHECK(unknown.Error == 1);
  }
  SUBCASE("a name of another kind: 1031, and nothing started") {
    const Outcome invalid = Show("manual.doc");
    CHECK(invalid.Calls.empty());
    CHECK(invalid.Error == 1031);
  }
}

TEST_CASE("HelpShow with hypertext") {
  programPath = "C:\\Program Files\\Pinwell\\Pinwell.exe";
  environment = {{"TMP", "D:\\tmp"}, {"TEMP", "E:\\temp"}};
  files = {"C:\\docs\\guide.html", "C:\\Program Files\\Pinwell\\guide.htm"};
  writableDirectories = {"D:\\tmp\\", "E:\\temp\\"};
  browser = {BrowserSearch::Found, "C:\\Program Files\\Web\\browse.exe"};
  startSucceeds = true;

  SUBCASE("a local file opens in the browser, beside the program when the name has no folder") {
    CHECK(Show("C:\\docs\\guide.html").Calls ==
          Calls{"find C:\\docs\\guide.html", StartBrowser + "C:\\docs\\guide.html"});
    CHECK(Show("guide.htm").Calls == Calls{"find C:\\Program Files\\Pinwell\\guide.htm",
                                           StartBrowser + "\"C:\\Program Files\\Pinwell\\guide.htm\""});
  }
  SUBCASE("an address goes through a temporary page in TMP, removed after the start") {
    const Outcome outcome = Show("HTTP://Example.org/Pinwell  ");
    CHECK(outcome.Calls == Calls{"write D:\\tmp\\$$tmp$$.htm" + PageLine, "find D:\\tmp\\$$tmp$$.htm",
                                 StartBrowser + "HTTP://Example.org/Pinwell", "remove D:\\tmp\\$$tmp$$.htm"});
    CHECK(outcome.Error == 0);
  }
  SUBCASE("the page goes to TEMP when TMP takes none, and is removed when the browser fails to start") {
    writableDirectories = {"E:\\temp\\"};
    startSucceeds = false;
    const Outcome outcome = Show("http://example.org/");
    CHECK(outcome.Calls == Calls{"write D:\\tmp\\$$tmp$$.htm" + PageLine, "write E:\\temp\\$$tmp$$.htm" + PageLine,
                                 "find E:\\temp\\$$tmp$$.htm", StartBrowser + "http://example.org/",
                                 "remove E:\\temp\\$$tmp$$.htm"});
    CHECK(outcome.Error == 1030);
  }
  SUBCASE("no place takes the page: 1030, and no browser is looked for") {
    writableDirectories.clear();
    const Outcome outcome = Show("http://example.org/");
    CHECK(outcome.Calls.back() == "write C:\\$$tmp$$.htm" + PageLine);
    CHECK(outcome.Error == 1030);
  }
  SUBCASE("no browser for the file: 1; any other failure to find one: 1030") {
    browser = {BrowserSearch::FileNotFound, ""};
    CHECK(Show("C:\\docs\\guide.html").Error == 1);
    browser = {BrowserSearch::Failed, ""};
    CHECK(Show("C:\\docs\\guide.html").Error == 1030);
  }
}

TEST_CASE("HelpShow with a help file where the platform has no viewer") {
  programPath = "C:\\Program Files\\Pinwell\\Pinwell.exe";
  hasHelpEngine = false;
  files = {HelpFile, "C:\\Program Files\\Pinwell\\Pinwell.htm"};
  browser = {BrowserSearch::Found, "C:\\Program Files\\Web\\browse.exe"};
  startSucceeds = true;
  const std::string page = "C:\\Program Files\\Pinwell\\Pinwell.htm";

  SUBCASE("its HTML twin opens in the browser: the contents, or a topic's anchor") {
    CHECK(Show("Pinwell.hlp").Calls == Calls{"find " + page, StartBrowser + '"' + page + '"'});
    CHECK(Show("Pinwell.hlp", 30, 1).Calls ==
          Calls{"find " + page, StartBrowser + "file:///C:/Program%20Files/Pinwell/Pinwell.htm#topic30"});
  }
  SUBCASE("without the twin: 1, and nothing started") {
    files = {HelpFile};
    const Outcome missing = Show("Pinwell.hlp");
    CHECK(missing.Calls.empty());
    CHECK(missing.Error == 1);
  }
  SUBCASE("closing leaves the user's browser alone") {
    const Outcome closed = Show(" ");
    CHECK(closed.Calls.empty());
    CHECK(closed.Error == 0);
  }
}

TEST_CASE("The file help opens, for a caller that tells the user what is missing") {
  programPath = "C:\\Program Files\\Pinwell\\Pinwell.exe";
  const struct {
    std::string_view Document;
    bool Engine;
    std::string_view Opened;
  } rows[] = {
      {"Pinwell.hlp", true, "C:\\Program Files\\Pinwell\\Pinwell.hlp"},
      {"Pinwell.hlp", false, "C:\\Program Files\\Pinwell\\Pinwell.htm"},
      {"D:\\guide.htm", false, "D:\\guide.htm"},
      {"http://example.org/", false, ""},
      {"manual.doc", true, ""},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Document);
    hasHelpEngine = row.Engine;
    const HelpPlatform platform{programPath, hasHelpEngine, ReadVariable,  FileExists, WriteTextFile,
                                RemoveFile,  AskHelpEngine, FindBrowser, Start};
    CHECK(DocumentToOpen(platform, row.Document) == row.Opened);
  }
}
