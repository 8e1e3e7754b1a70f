#include "conversion/files/output_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "conversion/constants.hpp"
#include "conversion/files/standard_streams.hpp"
#include "conversion/files/system_files.hpp"
#include "conversion/files/temporary_file_cleanup.hpp"

namespace fs = std::filesystem;

namespace conversion {

namespace {

// Often enough that little is left for the sync; seldom enough that the
// requests cost nothing beside the writing.
constexpr std::uint64_t WriteBackStep = std::uint64_t{4} << 20;

// Creates a new file beside the target, its name showing the program and the
// process that writes it and never longer than a file name may be.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temporary, unsigned& note) {
  constexpr std::size_t LongestFileName = 255;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string ending = ".pinwell-";
    ending += std::to_string(ProcessId());
    if (attempt > 0) {
      ending += '-';
      ending += std::to_string(attempt);
    }
    ending += ".tmp";
    fs::path::string_type name = target.filename().native();
    name.resize(std::min(name.size(), LongestFileName - ending.size()));
    temporary = target.parent_path() / name;
    temporary += ending;
    // Noted before it exists: a signal that comes as soon as it is made must
    // find it. A file of this name left by an earlier process of this number
    // was one of ours too.
    note = NoteTemporaryFile(temporary);
    if (std::FILE* file = CreateNewFile(temporary)) return file;
    const int reason = errno;
    ForgetTemporaryFile(note);
    errno = reason;
    if (reason != EEXIST) return nullptr;
  }
  return nullptr;
}

}  // namespace

OutputFile::~OutputFile() { Abandon(); }

bool OutputFile::Fail(std::string reason) {
  reason_ = std::move(reason);
  Abandon();
  return false;
}

void OutputFile::Abandon() {
  if (ownsFile_ && file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    ForgetTemporaryFile(note_);
    temporary_.clear();
  }
}

bool OutputFile::Open(std::string_view name) {
  failedFile_ = name;
  if (name == StandardStreamName) {
    file_ = BinaryStandardOutput();
    return true;
  }
  // Opening such a name anew would truncate a file that the shell opened for
  // appending (>>): it is written through the descriptor itself.
  if (const int descriptor = DescriptorOfName(name); descriptor >= 0) {
    file_ = OpenDescriptor(descriptor);
    if (file_ == nullptr) return Fail(std::strerror(errno));
    ownsFile_ = true;
    return true;
  }

  // Devices, pipes and anything else that is no regular file (a link to one
  // included) are written as they are; a file replaces a regular file or
  // appears only when complete.
  const fs::path named = PathOf(name);
  std::error_code absent;  // a file not there yet is made
  const fs::file_status status = fs::status(named, absent);
  if (IsDeviceName(named) || (fs::exists(status) && !fs::is_regular_file(status))) {
    file_ = OpenPath(named, "wb");
    if (file_ == nullptr) return Fail(std::strerror(errno));
    ownsFile_ = true;
    return true;
  }
  target_ = named;
  if (!FollowLinks(target_)) return Fail(std::strerror(errno));
  const bool replacing = fs::is_regular_file(status);
  if (replacing) {
    // Renaming over a file gets round its own protection; a file that could
    // not be written in place is not replaced either.
    std::FILE* probe = OpenPath(target_, "ab");
    if (probe == nullptr) return Fail(std::strerror(errno));
    std::fclose(probe);
  }

  file_ = CreateTemporary(target_, temporary_, note_);
  if (file_ == nullptr) {
    const std::string reason = std::strerror(errno);
    temporary_.clear();  // nothing was created
    // The file itself may be written: what refused is its folder.
    if (replacing) failedFile_ = NameOf((target_.parent_path().empty() ? fs::path(".") : target_.parent_path()) / "");
    return Fail(reason);
  }
  ownsFile_ = true;
  std::setvbuf(file_, nullptr, _IONBF, 0);  // the caller hands over large blocks
  if (replacing) TakeOverAttributes(file_, target_, temporary_);
  return true;
}

bool OutputFile::Write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return Fail(std::strerror(errno));
  // The bytes start for the disk while the log is still read, so the sync
  // before the rename, paid after all the work, has little left to wait for.
  written_ += bytes.size();
  if (!temporary_.empty() && written_ - writtenBack_ >= WriteBackStep) {
    StartWriteBack(file_, writtenBack_, written_ - writtenBack_);
    writtenBack_ = written_;
  }
  return true;
}

bool OutputFile::Commit() {
  if (temporary_.empty()) {
    const int closed = ownsFile_ ? std::fclose(file_) : std::fflush(file_);
    file_ = nullptr;
    return closed == 0 || Fail(std::strerror(errno));
  }
  // The new file's bytes reach the disk before its name takes the old file's
  // place: after a power cut the name holds the old file or the new one, never
  // a file whose bytes were still in the cache.
  if (!SyncFile(file_)) return Fail(std::strerror(errno));
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) return Fail(std::strerror(errno));
  if (!RenameOver(temporary_, target_)) return Fail(std::strerror(errno));
  ForgetTemporaryFile(note_);
  temporary_.clear();
  // The rename itself is on the disk once its folder is. The new file is in
  // place whatever this says, so a failure here is no failure of the run.
  SyncFolder(target_.parent_path());
  return true;
}

}  // namespace conversion
