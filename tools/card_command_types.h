#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "store/card_operations.h"
#include "store/profiles.h"

// What every subcommand of zulname-cards works with. Each takes the arguments after its name and
// returns the exit status: 0, kFailure (1) when a file cannot be read or written, kUsageError (2)
// for a command line that names no valid operation. Failures are one line on the error stream.
namespace cards_tool {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

struct Context {
    cards::RecordCards& cards;
    const SettingsProfile& settings;
    std::ostream& out;
    std::ostream& err;
    // The usage line of the whole command, which a usage error ends with.
    std::string usage;

    int Fail(int status, const std::string& message) const {
        err << "zulname-cards: " << message << "\n";
        return status;
    }
    int UsageError(const std::string& problem) const { return Fail(kUsageError, problem + "; " + usage); }
};

using Run = int (*)(Context& context, const std::vector<std::string_view>& args);

struct Subcommand {
    std::string_view name;
    std::string_view usage;  // the arguments, for the usage line
    Run run;
};

}  // namespace cards_tool
