#include "conversion/files/temporary_file_cleanup.hpp"

#include <array>

#include <windows.h>

namespace conversion {

namespace {

// The console's handler runs on a thread of its own while the conversion goes
// on, so the name is read and written under a lock.
SRWLOCK Lock = SRWLOCK_INIT;
std::array<wchar_t, 32768> TemporaryPath{};
bool TemporaryPathSet = false;

BOOL WINAPI RemoveOnEnd(DWORD) {
  // The lock stays held: the run must not make another temporary file in
  // the moment before the process ends.
  AcquireSRWLockExclusive(&Lock);
  // The file is open for writing, but shared for removal: it goes when the
  // process ends and its handles close.
  if (TemporaryPathSet) DeleteFileW(TemporaryPath.data());
  // Not handled: the system's own handler ends the process as it would have.
  return FALSE;
}

}  // namespace

void RemoveTemporaryFileOnSignals() { SetConsoleCtrlHandler(RemoveOnEnd, TRUE); }

void NoteTemporaryFile(const std::filesystem::path& path) {
  AcquireSRWLockExclusive(&Lock);
  const std::wstring& name = path.native();
  TemporaryPathSet = name.size() < TemporaryPath.size();
  if (TemporaryPathSet) {
    name.copy(TemporaryPath.data(), name.size());
    TemporaryPath[name.size()] = L'\0';
  }
  ReleaseSRWLockExclusive(&Lock);
}

void ForgetTemporaryFile() {
  AcquireSRWLockExclusive(&Lock);
  TemporaryPathSet = false;
  ReleaseSRWLockExclusive(&Lock);
}

}  // namespace conversion
