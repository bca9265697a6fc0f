#pragma once

#include <string>
#include <string_view>

// The file a write to path lands on: path itself, or, when path is a symbolic link, the file the
// chain of links finally names, which need not exist yet (writing through a dangling link creates
// its target). Returns 0, or the errno: ELOOP for a loop or too long a chain, EROFS for a file in
// memory (see MemoryFile), which is read through its link but never replaced, EISDIR for a folder
// and EINVAL for anything else that exists and is not a regular file (a device, a FIFO): every
// write of the program replaces regular files only.
int ResolveWriteTarget(const std::string& path, std::string& target);

// Replaces the file at target (a resolved path) with content so that a crash or a power cut at any
// moment leaves either the old file or the new one: the content goes to a temporary file
// ".NAME.XXXXXX" in the same folder, is synced, renamed over the old file, and the folder is
// synced so that the rename itself is on disk. The old file's mode, and its owner and group where
// the user may keep them, are kept. A hard link to the old file keeps the old content: the name
// written to gets a new file. Returns 0, or the errno of what failed (nothing is changed then).
int ReplaceResolvedFile(const std::string& target, std::string_view content);

// For a writer that cannot write through a file descriptor (a library that opens the file by its
// name): the temporary file ReplaceResolvedFile writes to, made with the mode and owner the new
// file will have. Returns its open descriptor with its name in temporary, or minus the errno.
int CreateTemporaryBeside(const std::string& target, std::string& temporary);
// Syncs the complete temporary file and renames it over target as ReplaceResolvedFile does.
// Returns 0, or the errno; the temporary file is removed on failure.
int CommitTemporary(const std::string& temporary, const std::string& target);

// Removes the temporary files ".NAME.XXXXXX" that writes of target killed before their rename
// left behind. Only for callers that hold the file's FileLock: no other writer is using them.
void RemoveStaleTemporaries(const std::string& target);

// ReplaceResolvedFile for a path that may be a symbolic link (see ResolveWriteTarget), for files
// that are not profile files. False when anything fails, with errno telling why.
bool ReplaceFileAtomically(const std::string& path, std::string_view content);
