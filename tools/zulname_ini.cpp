// zulname-ini: reads and writes profile files from the shell, through the program's own reader
// and writer, so that scripts see exactly what the program sees.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "help/command_help.h"
#include "store/file_size_limit.h"
#include "store/profile_value.h"
#include "store/profiles.h"
#include "tools/ini_arguments.h"
#include "tools/write_failure.h"

namespace {

constexpr command_help::CommandText kHelp{
    "zulname-ini",
    "zulname-ini [--raw] get FILE SECTION KEY [DEFAULT]\n"
    "zulname-ini [--raw] getint FILE SECTION KEY [DEFAULT]\n"
    "zulname-ini [--raw] set FILE SECTION KEY VALUE\n"
    "zulname-ini --help | --version",
    "Reads and writes a profile file with the program's own reader and writer. Arguments and\n"
    "output are UTF-8, converted to and from code page 932.\n"
    "\n"
    "  get       prints the key's text, or DEFAULT when it is missing\n"
    "  getint    prints the key's value as an integer, or DEFAULT (0) when it is missing\n"
    "  set       stores VALUE under the key, creating the file and section when missing\n"
    "  --raw     print the stored bytes unconverted; arguments may carry bytes as \\xHH\n"
    "\n"
    "Exit status: 0 on success, 1 when the file cannot be written, 2 for a usage error.\n"};

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

int Fail(int status, const std::string& message) {
    std::cerr << "zulname-ini: " << message << "\n";
    return status;
}

int Usage(const std::string& problem) {
    return Fail(kUsageError, problem + "; usage: zulname-ini [--raw] get|getint FILE SECTION KEY [DEFAULT]"
                                       " | set FILE SECTION KEY VALUE");
}

struct Command {
    std::string_view name;
    std::size_t minTexts, maxTexts;  // the arguments after FILE
};
constexpr Command kCommands[] = {{"get", 2, 3}, {"getint", 2, 3}, {"set", 3, 3}};

int Print(std::string_view stored, bool raw) {
    std::string text;
    if (!ini_tool::OutputText(stored, raw, text))
        return Fail(kFailure, "the stored value is not valid code page 932 text; use --raw to print its bytes");
    std::cout << text << "\n";
    return 0;
}

int Run(const Command& command, const ProfileFile& file, const std::vector<std::string>& texts, bool raw) {
    const std::string& section = texts[0];
    const std::string& key = texts[1];
    const std::string third = texts.size() > 2 ? texts[2] : std::string();
    if (command.name != "set") {
        // A file that exists but cannot be read is not taken for one without the key.
        const std::string problem = ini_tool::ReadFailureReason(file.FsPath());
        if (!problem.empty()) return Fail(kFailure, "cannot read " + file.FsPath() + ": " + problem);
    }
    if (command.name == "get") return Print(file.ReadString(section, key, third), raw);
    if (command.name == "getint") {
        std::cout << file.ReadInt(section, key, profile::ParseLeadingInt(third)) << "\n";
        return 0;
    }
    if (!file.WriteString(section, key, third) || !file.Flush())
        return Fail(kFailure, "cannot write " + file.FsPath() + ": " + ini_tool::WriteFailureReason(file.FsPath(), section, key));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    if (const auto status = command_help::HandleHelpOrVersion(argc, argv, kHelp, std::cout)) return *status;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    const bool raw = !args.empty() && args.front() == "--raw";
    if (raw) args.erase(args.begin());
    if (args.empty()) return Usage("no command given");

    const Command* command = nullptr;
    for (const Command& known : kCommands)
        if (known.name == args[0]) command = &known;
    if (command == nullptr) return Usage("unknown command \"" + std::string(args[0]) + "\"");
    const std::size_t texts = args.size() < 2 ? 0 : args.size() - 2;
    if (args.size() < 2 || texts < command->minTexts || texts > command->maxTexts)
        return Usage("wrong number of arguments for " + std::string(command->name));

    std::vector<std::string> stored(texts);
    for (std::size_t i = 0; i < texts; ++i) {
        std::string reason;
        if (!ini_tool::ArgumentBytes(args[i + 2], raw, stored[i], reason)) return Usage(reason);
    }
    return Run(*command, ProfileFile(std::string(args[1])), stored, raw);
}
