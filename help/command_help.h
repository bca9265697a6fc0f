#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// --help and --version, the same for every command of the program. Each command's synopsis is
// also the one of its manual page (desktop/man), and a test holds the two together.
namespace command_help {

struct CommandText {
    std::string_view name;
    // The forms of the command line, one a line, each starting with the command's name.
    std::string_view synopsis;
    // What follows the synopsis in --help: what the command does and its options.
    std::string_view description;
};

// The first line of a synopsis, for the one-line usage of an error message.
std::string_view FirstLine(std::string_view synopsis);

// The usage block: "usage: " before the first synopsis line, the others indented below it.
void PrintUsage(const CommandText& text, std::ostream& out);

// When the first argument is --help or --version: prints the help or "NAME VERSION" and gives
// the exit status 0. Anything else is left to the command.
std::optional<int> HandleHelpOrVersion(int argc, const char* const* argv, const CommandText& text, std::ostream& out);

// Splits the words after the command into operands and option values: valueOf(word) is where the
// value of that option goes, or null for a word that is no option of the command; "-" alone is an
// operand. False, with the problem, for an unknown option or one without its value.
bool SplitArguments(const std::vector<std::string_view>& args,
                    const std::function<std::optional<std::string>*(std::string_view)>& valueOf,
                    std::vector<std::string>& operands, std::string& problem);

}  // namespace command_help
