#include "conversion/files/file_identity.hpp"

#include <cerrno>
#include <filesystem>

#include <sys/stat.h>

#include "conversion/constants.hpp"
#include "conversion/files/system_files.hpp"

namespace fs = std::filesystem;

namespace conversion {

namespace {

std::string DeviceAndNumber(const struct stat& status) {
  return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
}

// A file not there yet is the name it will have in the folder where it will
// be: the folder however reached, the name as spelt.
std::string IdentityOfAbsent(const fs::path& path) {
  const fs::path name = path.filename();
  if (name.empty() || name == "." || name == "..") return {};
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  struct stat status {};
  if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return {};
  return "name:" + DeviceAndNumber(status) + "/" + name.native();
}

}  // namespace

std::string FileIdentity(NamedFile file) {
  struct stat status {};
  if (file.Name == StandardStreamName) {
    if (fstat(fileno(file.StandardStream), &status) != 0 || !S_ISREG(status.st_mode)) return {};
    return "file:" + DeviceAndNumber(status);
  }
  fs::path path = PathOf(file.Name);
  if (stat(path.c_str(), &status) == 0) return S_ISREG(status.st_mode) ? "file:" + DeviceAndNumber(status) : "";
  if (errno != ENOENT) return {};
  // Perhaps a link to a file not there yet, which writing would make.
  if (!FollowLinks(path)) return {};
  return IdentityOfAbsent(path);
}

}  // namespace conversion
