#pragma once
// A process ended from outside while it writes a temporary output file would
// leave that file behind, as large as the output so far. The command-line
// converter asks for it to be removed whenever the process is ended in a way
// it can notice: on POSIX every signal whose default is to end the process
// and that can be caught (SIGKILL cannot), on Windows Ctrl+C, Ctrl+Break,
// a closed console, a logoff or a shutdown. The process then ends as it would
// have ended without this. One implementation per platform:
// temporary_file_cleanup_posix.cpp, temporary_file_cleanup_win32.cpp.

#include <filesystem>

namespace conversion {

void RemoveTemporaryFileOnSignals();

// Outputs written at the same time, each with its temporary file.
constexpr unsigned TemporaryFileSlots = 64;

// A temporary file that is being written, and the moment it is gone or in
// place. Any thread may note one; the note returned is what forgets it
// (NoNote when all slots were taken: that file is not removed).
constexpr unsigned NoNote = TemporaryFileSlots;
unsigned NoteTemporaryFile(const std::filesystem::path& path);
void ForgetTemporaryFile(unsigned note);

}  // namespace conversion
