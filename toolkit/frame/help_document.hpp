#pragma once
// What a help document is and how its viewer is started, apart from the
// platform calls that start it.

#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

enum class HelpDocument { HelpFile, LocalHypertext, Address, Invalid };

// By the name's ending, in any case; an address is recognised anywhere in it.
// A blank name counts as a help file (the close action).
HelpDocument ClassifyHelpDocument(std::string_view name);

// A name with neither a "\" nor a drive letter lies in the program's own
// directory, not the current one; empty when that directory is unknown.
std::string BesideProgram(std::string_view name, std::string_view programPath);

// The help engine's contents file that belongs to a help file.
std::string ContentsFileName(std::string_view helpFile);

// The same help as an HTML page, beside the help file under its name.
std::string HypertextTwin(std::string_view helpFile);

// The address of a topic of that page: a file address with the topic
// number's anchor ("topic" and the number), the path escaped.
std::string TopicAddress(std::string_view page, int topic);

// The places tried in turn for the temporary page that hands an address to
// the browser: TMP, TEMP, the program's directory, the root of its drive, C:\.
std::vector<std::string> TemporaryPageCandidates(std::string_view tmp, std::string_view temp,
                                                 std::string_view programPath);

// The browser, then the document; either quoted when it holds blanks, so
// that a path under "Program Files" stays one argument.
std::string BrowserCommandLine(std::string_view browser, std::string_view document);

}  // namespace toolkit
