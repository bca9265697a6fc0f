#include "help/command_help.h"

#include <cstring>

namespace command_help {

std::string_view FirstLine(std::string_view synopsis) { return synopsis.substr(0, synopsis.find('\n')); }

void PrintUsage(const CommandText& text, std::ostream& out) {
    std::string_view rest = text.synopsis;
    bool first = true;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        out << (first ? "usage: " : "       ") << rest.substr(0, end) << "\n";
        first = false;
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
}

std::optional<int> HandleHelpOrVersion(int argc, const char* const* argv, const CommandText& text, std::ostream& out) {
    if (argc < 2) return std::nullopt;
    if (std::strcmp(argv[1], "--version") == 0) {
        out << text.name << " " << ZULNAME_VERSION << "\n";
        return 0;
    }
    if (std::strcmp(argv[1], "--help") != 0) return std::nullopt;
    PrintUsage(text, out);
    out << "\n" << text.description;
    return 0;
}

bool SplitArguments(const std::vector<std::string_view>& args,
                    const std::function<std::optional<std::string>*(std::string_view)>& valueOf,
                    std::vector<std::string>& operands, std::string& problem) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::optional<std::string>* value = valueOf(args[i]);
        if (value == nullptr) {
            if (args[i].size() > 1 && args[i].front() == '-') {
                problem = "unknown option " + std::string(args[i]);
                return false;
            }
            operands.emplace_back(args[i]);
            continue;
        }
        if (i + 1 == args.size()) {
            problem = std::string(args[i]) + " needs a value";
            return false;
        }
        *value = std::string(args[++i]);
    }
    return true;
}

}  // namespace command_help
