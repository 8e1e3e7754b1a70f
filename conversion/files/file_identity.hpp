#pragma once
// Whether names lead to one file, so that no run writes over a file it reads
// or another run wrote.

#include <cstdio>
#include <string>
#include <string_view>

namespace conversion {

// A log or output name with the standard stream that "-" stands for: standard
// input for a log, standard output for an output.
struct NamedFile {
  std::string_view Name;
  std::FILE* StandardStream;
};
NamedFile AsLog(std::string_view name);
NamedFile AsOutput(std::string_view name);

// A text that two names share exactly when they lead to the same file: the
// device (volume) and number of an existing regular file, however reached (a
// link, another spelling, a redirected standard stream); for a file not there
// yet, the folder it would be made in and its name there, after any links
// that lead to it (a dangling one included), in any case on Windows. Empty for
// what is no regular file (a device, a pipe, a terminal), which is never the
// same file as anything. One implementation per platform:
// file_identity_posix.cpp, file_identity_win32.cpp.
std::string FileIdentity(NamedFile file);

bool SameFile(NamedFile first, NamedFile second);

}  // namespace conversion
