#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/run_tool.h"

enum class TmpfsState { ReadOnly, Full };

// Runs program on a 64 KB tmpfs at home/mnt that only a child process sees (a mount namespace of
// its own, so nothing outlives the test): the file `name` is made there with `content`, then the
// tmpfs is remounted read-only or filled up. args makes the arguments from the file's path.
// Nothing when this machine allows no such mounts.
std::optional<ToolOutcome> RunOnPrivateTmpfs(const std::string& home, TmpfsState state, const std::string& name,
                                             std::string_view content, const std::string& program,
                                             const std::function<std::vector<std::string>(const std::string&)>& args);
