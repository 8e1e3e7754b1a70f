#pragma once
// What pinwell does once the platform's entry point (main_posix.cpp,
// main_win32.cpp) has its arguments as UTF-8.

#include <span>
#include <string_view>

namespace cli {

// `program` is the name the program was started by, without its folder;
// `arguments` are those after it. Returns the exit status.
int Main(std::string_view program, std::span<const std::string_view> arguments);

}  // namespace cli
