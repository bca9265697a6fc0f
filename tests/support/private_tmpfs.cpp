#include "tests/support/private_tmpfs.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/temp_home.h"

namespace {

constexpr int kNoPrivateMounts = 77;

}  // namespace

std::optional<ToolOutcome> RunOnPrivateTmpfs(const std::string& home, TmpfsState state, const std::string& name,
                                             std::string_view content, const std::string& program,
                                             const std::function<std::vector<std::string>(const std::string&)>& args) {
    const std::string mountPoint = home + "/mnt", result = home + "/result";
    std::filesystem::create_directory(mountPoint);
    const pid_t pid = fork();
    if (pid == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
            _exit(kNoPrivateMounts);
        const std::string file = mountPoint + "/" + name;
        WriteBytes(file, content);
        if (state == TmpfsState::ReadOnly) {
            if (mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) _exit(kNoPrivateMounts);
        } else {
            WriteBytes(mountPoint + "/filler", std::string(128 * 1024, 'x'));  // more than fits
        }
        const ToolOutcome outcome = RunTool(program, args(file), home);
        WriteBytes(result, outcome.err);
        _exit(outcome.status);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == kNoPrivateMounts)
        return std::nullopt;
    ToolOutcome outcome;
    outcome.status = WEXITSTATUS(status);
    outcome.err = ReadBytes(result);
    return outcome;
}
