#pragma once
// Where the pushpin text goes. A regular file is written to a temporary file
// beside it and renamed over it only when the run succeeded, so a failed run
// leaves no partial file and an existing output as it was. Standard output
// ("-"), devices and pipes cannot be replaced and are written directly.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace conversion {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // A file not committed is abandoned: its temporary file is removed.
  ~OutputFile();

  bool Open(std::string_view name);
  bool Write(std::string_view bytes);
  // Closes the file and puts it in place.
  bool Commit();

  const std::string& Reason() const { return reason_; }

 private:
  bool Fail(std::string reason);
  void Abandon();

  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty when written directly
  std::string reason_;
};

// Whether the two names lead to the same file: the same resolved path, or
// the same file reached another way (a link).
bool SameFile(std::string_view first, std::string_view second);

}  // namespace conversion
