#include "conversion/file_identity.hpp"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "conversion/convert_log_file.hpp"
#include "text/text_utilities.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace conversion {

namespace {

std::string ResolvedPath(std::string_view name) {
  std::error_code error;
  // Made absolute first: of a relative name that has no part there yet,
  // weakly_canonical would resolve nothing ("x.txt" and "./x.txt" would differ).
  const fs::path resolved = fs::weakly_canonical(fs::absolute(fs::path(std::string(name)), error), error);
  if (error) return {};
  std::string path = "path:" + resolved.string();
#ifdef _WIN32
  text::UpperCaseString(path);
#endif
  return path;
}

}  // namespace

NamedFile AsLog(std::string_view name) { return {name, stdin}; }
NamedFile AsOutput(std::string_view name) { return {name, stdout}; }

std::string FileIdentity(NamedFile file) {
  const bool stream = file.Name == StandardStreamName;
#ifdef _WIN32
  return stream ? std::string() : ResolvedPath(file.Name);
#else
  struct stat status {};
  const int found = stream ? fstat(fileno(file.StandardStream), &status) : stat(std::string(file.Name).c_str(), &status);
  if (found != 0) return !stream && errno == ENOENT ? ResolvedPath(file.Name) : std::string();
  if (!S_ISREG(status.st_mode)) return {};
  return "file:" + std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
#endif
}

bool SameFile(NamedFile first, NamedFile second) {
  const std::string identity = FileIdentity(first);
  return !identity.empty() && identity == FileIdentity(second);
}

}  // namespace conversion
