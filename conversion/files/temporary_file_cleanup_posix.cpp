#include "conversion/files/temporary_file_cleanup.hpp"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

#include <signal.h>
#include <unistd.h>

namespace conversion {

namespace {

// Read by a signal handler, so plain buffers and a state set last: the
// handler never sees half a name. Lock-free atomics are safe in a handler.
enum SlotState : int { Free, Taken, Named };
struct Slot {
  std::atomic<int> State{Free};
  std::array<char, 4096> Path{};
};
std::array<Slot, TemporaryFileSlots> Slots;
static_assert(std::atomic<int>::is_always_lock_free);

// Every signal whose default action ends the process, with or without a core
// file, and that a handler may catch. Faults (SIGSEGV and the like) are here
// too: a crash must not leave the file either.
constexpr int EndingSignals[] = {
    SIGHUP,  SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT,   SIGBUS,  SIGFPE, SIGUSR1, SIGSEGV,
    SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGSYS,
#ifdef __linux__
    // Linux ends the process on these too; BSD systems ignore SIGIO.
    SIGSTKFLT, SIGIO, SIGPWR,
#endif
#ifdef SIGEMT
    SIGEMT,
#endif
};

// What each signal did before: a handler met here (a sanitizer's) runs
// after ours.
std::array<struct sigaction, NSIG> Previous{};

extern "C" void RemoveAndEnd(int signal) {
  for (Slot& slot : Slots)
    if (slot.State.load() == Named) unlink(slot.Path.data());
  // Delivered again when the handler returns, now as it would have been.
  sigaction(signal, &Previous[static_cast<std::size_t>(signal)], nullptr);
  raise(signal);
}

void Catch(int signal, const sigset_t& blocked) {
  struct sigaction action {};
  action.sa_handler = RemoveAndEnd;
  action.sa_mask = blocked;
  struct sigaction& previous = Previous[static_cast<std::size_t>(signal)];
  if (sigaction(signal, nullptr, &previous) != 0) return;
  // A signal ignored when the program started (nohup, a background job
  // without job control) stays ignored.
  if (previous.sa_handler == SIG_IGN && (previous.sa_flags & SA_SIGINFO) == 0) return;
  sigaction(signal, &action, nullptr);
}

}  // namespace

void RemoveTemporaryFileOnSignals() {
  // While the handler runs, the other signals wait.
  sigset_t blocked;
  sigemptyset(&blocked);
  for (const int signal : EndingSignals) sigaddset(&blocked, signal);
#ifdef SIGRTMIN
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) sigaddset(&blocked, signal);
#endif
  for (const int signal : EndingSignals) Catch(signal, blocked);
#ifdef SIGRTMIN
  // The real-time signals end a process by default too; those below
  // SIGRTMIN belong to the C library.
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) Catch(signal, blocked);
#endif
}

unsigned NoteTemporaryFile(const std::filesystem::path& path) {
  const std::string& name = path.native();
  if (name.size() >= Slots.front().Path.size()) return NoNote;
  for (unsigned note = 0; note < Slots.size(); ++note) {
    Slot& slot = Slots[note];
    int free = Free;
    if (!slot.State.compare_exchange_strong(free, Taken)) continue;
    std::memcpy(slot.Path.data(), name.c_str(), name.size() + 1);
    slot.State.store(Named);
    return note;
  }
  return NoNote;
}

void ForgetTemporaryFile(unsigned note) {
  if (note < Slots.size()) Slots[note].State.store(Free);
}

}  // namespace conversion
