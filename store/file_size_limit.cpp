#include "store/file_size_limit.h"

#include <sys/resource.h>

#include <cerrno>
#include <csignal>

#include "store/profile_service.h"

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

std::string FileSizeLimitReason(int error) {
    struct rlimit limit {};
    if (error != EFBIG || getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= profile::kMaxFileBytes)
        return {};
    return "file too large: it would pass this process's file-size limit (ulimit -f) of " +
           std::to_string(limit.rlim_cur) + " bytes";
}
