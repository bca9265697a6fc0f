#include "store/program_data.h"

#include <filesystem>
#include <system_error>

std::string ProgramDataFolderFor(const std::string& programFile, const std::string& installedRelative,
                                 const std::string& buildTreeFolder) {
    if (!programFile.empty()) {
        const std::filesystem::path installed =
            std::filesystem::path(programFile).parent_path() / installedRelative;
        std::error_code error;
        if (std::filesystem::is_directory(installed, error)) return installed.lexically_normal().string();
    }
    return buildTreeFolder;
}

std::string ProgramFilePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ProgramDataFolder() {
    // Both are set by the build: the install layout's share folder seen from its bin folder,
    // and the resources folder of the source tree.
    return ProgramDataFolderFor(ProgramFilePath(), ZULNAME_INSTALLED_DATA, ZULNAME_SOURCE_DATA);
}
