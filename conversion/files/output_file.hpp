#pragma once
// Where the pushpin text goes. A regular file is written to a temporary file
// beside it and renamed over it only when the run succeeded and its bytes are
// on the disk, so a failed run (or a power cut) leaves no partial file and an
// existing output as it was; the new file keeps
// the old one's permissions and, where the process may set it, its owner. The
// temporary file's name shows the program and the process that write it.
// Standard output ("-"), devices, pipes and names of open descriptors
// (/dev/stdout, /dev/fd/3) cannot be replaced and are written directly.

#include <cstdint>
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
  // The name given, or the folder of the file when its temporary file could
  // not be made there.
  const std::string& FailedFile() const { return failedFile_; }

 private:
  bool Fail(std::string reason);
  void Abandon();

  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty when written directly
  unsigned note_ = 0;                // the temporary file's, for its removal on signals
  std::uint64_t written_ = 0;        // bytes written to the temporary file
  std::uint64_t writtenBack_ = 0;    // of which the write-back was started
  std::string reason_;
  std::string failedFile_;
};

}  // namespace conversion
