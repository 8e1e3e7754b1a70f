#pragma once
// A process ended by a signal while it writes a temporary output file would
// leave that file behind, as large as the output so far. The command-line
// converter asks for it to be removed on the signals that end a run from
// outside (SIGINT, SIGTERM, SIGHUP); the process then ends as the signal
// would have ended it. Nothing is done on Windows, where the file is open
// without sharing and cannot be removed from a handler.

#include <filesystem>

namespace conversion {

void RemoveTemporaryFileOnSignals();

// The one temporary file that is being written, and the moment it is gone
// or in place. Only one output is written at a time.
void NoteTemporaryFile(const std::filesystem::path& path);
void ForgetTemporaryFile();

}  // namespace conversion
