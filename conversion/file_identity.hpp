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
// device and number of an existing regular file (however reached: a link,
// another spelling, a redirected standard stream), the resolved path of a
// file not there yet. Empty for what is no regular file (a device, a pipe, a
// terminal), which is never the same file as anything. Windows tells no
// identity through a name or descriptor, so there a file is its resolved
// path, in any case, and a standard stream is never a file.
std::string FileIdentity(NamedFile file);

bool SameFile(NamedFile first, NamedFile second);

}  // namespace conversion
