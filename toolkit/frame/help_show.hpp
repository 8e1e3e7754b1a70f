#pragma once
// The help viewer: help files in the platform's help engine, hypertext
// documents and web addresses in the browser the system associates with them.

#include <string>
#include <string_view>

namespace toolkit {

// A document ending in .hlp, .htm or .html, or holding an http:// address.
// A name without a "\" or drive is looked for beside the program. A topic
// (a context number of the help file) shows that topic, in a popup window
// when popup is 1; otherwise the contents. A blank name closes the help
// engine's window. Where the platform has no help viewer (Windows from
// Vista on), a help file is shown as its HTML page beside it (the same name,
// ".htm") in the browser, and a blank name leaves that browser open.
// Failures raise 1031 (not a help document), 1 (no such file or browser) or
// 1030 (the viewer failed).
void HelpShow(std::string_view document, int topic = -1, int popup = 0);

// The file HelpShow opens for the document on this system (the HTML page
// where a help file goes to the browser), so that a caller can tell the user
// what is missing when it fails; empty for an address.
std::string HelpDocumentPath(std::string_view document);

}  // namespace toolkit
