#pragma once

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

// A failure is reported on one line of its own and nothing else is printed.
void ExpectFailure(const ToolOutcome& outcome, int status, std::string_view mentions);
