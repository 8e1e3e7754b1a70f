#pragma once
// A temporary file for output that must wait until the log has been read
// (a track that follows its points), so that memory stays the same whatever
// the size of the log. It is removed when closed, however the run ends.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace conversion {

class SpoolFile {
 public:
  SpoolFile() = default;
  SpoolFile(const SpoolFile&) = delete;
  SpoolFile& operator=(const SpoolFile&) = delete;
  ~SpoolFile();

  bool Open();
  // Buffered; a failure shows when the bytes are read back.
  void Write(std::string_view bytes);
  // Hands everything written back in blocks, in order; stops when `take`
  // returns false.
  bool ReadBack(const std::function<bool(std::string_view)>& take);

  const std::string& Reason() const { return reason_; }

 private:
  bool Drain();
  bool Fail();

  std::FILE* file_ = nullptr;
  std::string buffer_;
  std::string reason_;
};

}  // namespace conversion
