#pragma once
// The configuration file kestra.ini: lines of KEY = value that override the
// toolkit's settings in toolkit::State.

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace toolkit {

// What the file asks for beyond plain settings; applied once the whole file
// has been read.
struct ConfigurationRequests {
  bool VersionRequested = false;
  std::int32_t Printer = 0;
  std::int32_t Plotter = 0;
  std::int32_t Hpgl2 = 0;
};

// Lines are cut at this many characters.
inline constexpr std::size_t ConfigurationLineLength = 170;

// One line of the file, without its line end, at most 170 characters.
void ApplyConfigurationLine(std::string_view line, ConfigurationRequests& requests);

// Opens a file for reading by its UTF-8 name: std::fopen where names are
// bytes; Windows opens it by its wide name.
using FileOpener = std::FILE* (*)(std::string_view name);
std::FILE* OpenByBytes(std::string_view name);

// Reads the named file line by line; false when it cannot be opened.
bool ReadConfigurationFile(std::string_view path, ConfigurationRequests& requests, FileOpener open = OpenByBytes);

}  // namespace toolkit
