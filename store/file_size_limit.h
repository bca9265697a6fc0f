#pragma once

#include <cstdint>
#include <string>

// Under a file-size limit (ulimit -f, RLIMIT_FSIZE) the kernel kills a process whose write goes
// past it with SIGXFSZ, before it can remove its temporary file or say why. Each command ignores
// the signal at its start: the write then fails with EFBIG, handled like any other failed write.
void IgnoreFileSizeSignal();

// The process's file-size limit in bytes when it is below the largest file the program reads (a
// write can then fail at it), else 0.
std::uint64_t LowFileSizeLimit();

// Why a write failed, when error (an errno) is EFBIG and the process has a file-size limit below
// the largest file the program reads: "file too large", naming the limit. Empty otherwise.
std::string FileSizeLimitReason(int error);
