#pragma once
// Files the toolkit itself looks for, by their UTF-8 names: the program's
// folder, the configuration file and the temporary folder may be named in
// characters that the ANSI code page cannot hold.

#include <cstdio>
#include <string_view>

namespace toolkit {

bool FileExists(std::string_view name);
// A drive's root ("C:", "C:\") exists when the drive does.
bool DirectoryExists(std::string_view name);
std::FILE* OpenForReading(std::string_view name);

}  // namespace toolkit
