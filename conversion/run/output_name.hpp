#pragma once
// The name a log's output is written to when the user names none, for the
// desktop program's Open and the command line alike.

#include <string>
#include <string_view>

namespace conversion {

// Everything up to the first ".pgl" anywhere in the name (found without
// regard to case; the kept part keeps its case) with the extension in its
// place. A name without ".pgl" gets the extension appended, so that its
// output lands beside it, not in a file named "txt" wherever the program
// happens to run.
std::string DefaultOutputName(std::string_view logName, std::string_view extension = ".txt");

}  // namespace conversion
