#pragma once
// The first toolkit operation of a program (Windows): fills toolkit::State
// from the display, the operating system, the environment and the
// configuration file. A blank name means "search for kestra.ini". A second
// call does nothing.

#include <string_view>

namespace toolkit {

void ToolkitStart(std::string_view configFileName);

}  // namespace toolkit
