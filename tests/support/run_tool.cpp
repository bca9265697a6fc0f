#include "tests/support/run_tool.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "tests/support/temp_home.h"

namespace {

ToolOutcome Run(const std::string& program, const std::vector<std::string>& args, const std::string& scratchFolder,
                std::optional<std::uint64_t> fileSizeLimit) {
    const std::string outPath = scratchFolder + "/.out", errPath = scratchFolder + "/.err";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
        if (fileSizeLimit) {
            const rlimit limit{static_cast<rlim_t>(*fileSizeLimit), static_cast<rlim_t>(*fileSizeLimit)};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0 || signal(SIGXFSZ, SIG_DFL) == SIG_ERR) _exit(127);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    ToolOutcome outcome;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
    outcome.out = ReadBytes(outPath);
    outcome.err = ReadBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return outcome;
}

}  // namespace

ToolOutcome RunTool(const std::string& program, const std::vector<std::string>& args, const std::string& scratchFolder) {
    return Run(program, args, scratchFolder, std::nullopt);
}

ToolOutcome RunToolWithFileSizeLimit(const std::string& program, const std::vector<std::string>& args,
                                     const std::string& scratchFolder, std::uint64_t fileSizeLimit) {
    return Run(program, args, scratchFolder, fileSizeLimit);
}

pid_t RunToolRepeatedly(const std::string& program, int count, const std::function<std::vector<std::string>(int)>& args) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> arguments = args(i);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : arguments) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        const pid_t tool = fork();
        if (tool == 0) {
            const int null = open("/dev/null", O_WRONLY);
            if (null < 0 || dup2(null, 1) < 0) _exit(127);
            execv(argv[0], argv.data());
            _exit(127);
        }
        int status = 0;
        if (tool < 0 || waitpid(tool, &status, 0) != tool || !WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failed;
    }
    _exit(std::min(failed, 255));
}

int FailedRuns(pid_t child) {
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

void ExpectFailure(const ToolOutcome& outcome, int status, std::string_view mentions) {
    EXPECT_EQ(outcome.status, status);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find(mentions), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
}

std::vector<std::string> TemporariesOf(const std::string& target) {
    const std::filesystem::path path(target);
    const std::string name = path.filename().string();
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path())) {
        const std::string other = entry.path().filename().string();
        if ((other.size() == name.size() + 8 && other.rfind("." + name + ".", 0) == 0 && other.substr(other.size() - 5) != ".lock") ||
            other == name + ".part")
            found.push_back(other);
    }
    return found;
}
