#include "store/file_size_limit.h"

#include <sys/resource.h>

#include <cerrno>
#include <csignal>

#include "store/profile_service.h"

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

std::uint64_t LowFileSizeLimit() {
    struct rlimit limit {};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= profile::kMaxFileBytes)
        return 0;
    return limit.rlim_cur;
}

std::string FileSizeLimitReason(int error) {
    const std::uint64_t limit = LowFileSizeLimit();
    if (error != EFBIG || limit == 0) return {};
    return "file too large: it would pass this process's file-size limit (ulimit -f) of " + std::to_string(limit) + " bytes";
}
