#pragma once
// The operating system's files as the conversion reaches them. Names are
// UTF-8 on every platform and reach Windows as its wide names, so that any
// name the file system allows works. A failure leaves its reason in errno.
// One implementation per platform: system_files_posix.cpp, system_files_win32.cpp.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace conversion {

// The platform's path for a name, and the name of a path.
std::filesystem::path PathOf(std::string_view name);
std::string NameOf(const std::filesystem::path& path);

// std::fopen for a path.
std::FILE* OpenPath(const std::filesystem::path& path, const char* mode);
// A stream of its own on an open descriptor (POSIX; none on Windows).
std::FILE* OpenDescriptor(int descriptor);

// Windows reaches its devices through reserved names in any folder and with
// any extension ("nul", "C:\out\con.txt"); they are no files to replace.
bool IsDeviceName(const std::filesystem::path& path);

// Moves the path to where its chain of links ends, whether or not a file is
// there yet: replacing a link would put a file in its place.
bool FollowLinks(std::filesystem::path& path);

// A file made now for writing, that no other process had; one that can be
// removed while it is open (from a handler of another thread on Windows).
std::FILE* CreateNewFile(const std::filesystem::path& path);

// The new file takes the permissions of the one it replaces and, where the
// process may give it away (root may; anyone may keep a group they are in),
// its owner and group.
void TakeOverAttributes(std::FILE* file, const std::filesystem::path& replaced,
                        const std::filesystem::path& replacing);

// Asks the system to start writing the `length` bytes of the file from
// `offset` on to the disk, without waiting for it, so that the sync at the
// end finds little left to do. Nothing where the system has no such request.
void StartWriteBack(std::FILE* file, std::uint64_t offset, std::uint64_t length);
// What was written to the file is on the disk, not only in the system's cache.
bool SyncFile(std::FILE* file);
// The file takes the other's name in one step.
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);
// Names made or changed in the folder are on the disk (POSIX; Windows's
// rename above already waits for that).
void SyncFolder(const std::filesystem::path& folder);

// A nameless file for reading back what was written, removed when closed.
std::FILE* OpenScratchFile();

int ProcessId();

}  // namespace conversion
