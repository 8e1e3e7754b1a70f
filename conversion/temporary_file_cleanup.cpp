#include "conversion/temporary_file_cleanup.hpp"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace conversion {

namespace {

// Read by a signal handler, so a plain buffer and a flag written last: the
// handler never sees half a name.
std::array<char, 4096> TemporaryPath{};
volatile std::sig_atomic_t TemporaryPathSet = 0;

#ifndef _WIN32
extern "C" void RemoveAndEnd(int signal) {
  if (TemporaryPathSet) unlink(TemporaryPath.data());
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}
#endif

}  // namespace

void RemoveTemporaryFileOnSignals() {
#ifndef _WIN32
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal ignored when the program started (nohup, a background job
    // without job control) stays ignored.
    if (std::signal(signal, RemoveAndEnd) == SIG_IGN) std::signal(signal, SIG_IGN);
  }
#endif
}

void NoteTemporaryFile(const std::filesystem::path& path) {
  TemporaryPathSet = 0;
  const std::string name = path.string();
  if (name.size() >= TemporaryPath.size()) return;
  std::memcpy(TemporaryPath.data(), name.c_str(), name.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  TemporaryPathSet = 1;
}

void ForgetTemporaryFile() { TemporaryPathSet = 0; }

}  // namespace conversion
