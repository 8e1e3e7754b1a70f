#include <doctest/doctest.h>

#include "toolkit/frame/help_document.hpp"

using namespace toolkit;

TEST_CASE("ClassifyHelpDocument") {
  struct Case {
    std::string_view Name;
    HelpDocument Kind;
  };
  const Case cases[] = {
      {"Pinwell.hlp", HelpDocument::HelpFile},
      {"C:\\Help\\PINWELL.HLP   ", HelpDocument::HelpFile},
      {" ", HelpDocument::HelpFile},
      {"C:\\docs\\guide.html", HelpDocument::LocalHypertext},
      {"help\\guide.Htm", HelpDocument::LocalHypertext},
      {"Http://example.org/pinwell", HelpDocument::Address},
      {"see http://example.org/a.htm", HelpDocument::Address},
      {"manual.doc", HelpDocument::Invalid},
      {"Pinwell.hlp.bak", HelpDocument::Invalid},
      {"https://example.org/", HelpDocument::Invalid},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    CHECK(ClassifyHelpDocument(c.Name) == c.Kind);
  }
}

TEST_CASE("BrowserCommandLine quotes what holds blanks") {
  struct Case {
    std::string_view Browser;
    std::string_view Document;
    std::string_view Line;
  };
  const Case cases[] = {
      {"C:\\web\\browse.exe", "C:\\docs\\guide.html", "C:\\web\\browse.exe C:\\docs\\guide.html"},
      {"C:\\Program Files\\Web\\browse.exe", "C:\\My Documents\\guide.htm",
       "\"C:\\Program Files\\Web\\browse.exe\" \"C:\\My Documents\\guide.htm\""},
      {"C:\\Program Files\\Web\\browse.exe", "HTTP://Example.org/Pinwell",
       "\"C:\\Program Files\\Web\\browse.exe\" HTTP://Example.org/Pinwell"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Browser);
    CHECK(BrowserCommandLine(c.Browser, c.Document) == c.Line);
  }
}
