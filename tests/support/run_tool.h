#pragma once

#include <cstdint>
#include <optional>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Running a built command-line tool from a test.

struct ToolOutcome {
    int status = -1;  // the exit status; -1 when the tool did not exit normally
    std::string out, err;
};

// Runs program with the arguments; its output and error go through files in scratchFolder.
ToolOutcome RunTool(const std::string& program, const std::vector<std::string>& args, const std::string& scratchFolder);

// The same with the tool's files limited to fileSizeLimit bytes (RLIMIT_FSIZE, as `ulimit -f`
// sets it) and SIGXFSZ at its default: a write past the limit kills a tool that does not ignore it.
ToolOutcome RunToolWithFileSizeLimit(const std::string& program, const std::vector<std::string>& args,
                                     const std::string& scratchFolder, std::uint64_t fileSizeLimit);
// Starts a child process that runs program count times one after another, with the arguments
// args(i), its output discarded and its error stream the test's own. FailedRuns waits for that
// child: how many runs did not exit with 0 (at most 255), or -1 when the child failed itself.
pid_t RunToolRepeatedly(const std::string& program, int count, const std::function<std::vector<std::string>(int)>& args);
int FailedRuns(pid_t child);

// A failure is reported on one line of its own and nothing else is printed.
void ExpectFailure(const ToolOutcome& outcome, int status, std::string_view mentions);

// The temporary files beside target that writes of it make: ".NAME.XXXXXX" and "NAME.part".
std::vector<std::string> TemporariesOf(const std::string& target);
