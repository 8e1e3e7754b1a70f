#include "conversion/files/temporary_file_cleanup.hpp"

#include <array>
#include <string>

#include <windows.h>

namespace conversion {

namespace {

// The console's handler runs on a thread of its own while the conversions go
// on, so the names are read and written under a lock; an empty name is a free slot.
SRWLOCK Lock = SRWLOCK_INIT;
std::array<std::wstring, TemporaryFileSlots> TemporaryPaths;

BOOL WINAPI RemoveOnEnd(DWORD) {
  // The lock stays held: the run must not make another temporary file in
  // the moment before the process ends.
  AcquireSRWLockExclusive(&Lock);
  // The file is open for writing, but shared for removal: it goes when the
  // process ends and its handles close.
  for (const std::wstring& path : TemporaryPaths)
    if (!path.empty()) DeleteFileW(path.c_str());
  // Not handled: the system's own handler ends the process as it would have.
  return FALSE;
}

}  // namespace

void RemoveTemporaryFileOnSignals() { SetConsoleCtrlHandler(RemoveOnEnd, TRUE); }

unsigned NoteTemporaryFile(const std::filesystem::path& path) {
  AcquireSRWLockExclusive(&Lock);
  unsigned note = 0;
  while (note < TemporaryPaths.size() && !TemporaryPaths[note].empty()) ++note;
  if (note < TemporaryPaths.size()) TemporaryPaths[note] = path.native();
  ReleaseSRWLockExclusive(&Lock);
  return note;
}

void ForgetTemporaryFile(unsigned note) {
  if (note >= TemporaryPaths.size()) return;
  AcquireSRWLockExclusive(&Lock);
  TemporaryPaths[note].clear();
  ReleaseSRWLockExclusive(&Lock);
}

}  // namespace conversion
