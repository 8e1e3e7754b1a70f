#pragma once
// The text of --help, made from the table of options and the table of formats.

#include <string>
#include <string_view>

#include "cli/option_table.hpp"

namespace cli {

// "-r, --resolution N", "--stats[=text|json]": the option as the usage text
// and the manual page head its paragraph.
std::string OptionHeading(const Option& option);

// `program` is the name the user started the program by, for the lines that
// show how to run it.
std::string UsageText(std::string_view program);

}  // namespace cli
