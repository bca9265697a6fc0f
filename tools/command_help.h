#pragma once

#include <optional>
#include <ostream>
#include <string_view>

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

}  // namespace command_help
