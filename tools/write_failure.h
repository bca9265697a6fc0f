#pragma once

#include <string>
#include <string_view>

namespace ini_tool {

// Why a key could not be written to the profile file at path, for a message: what the profile
// service reported (its errno), in words the user can act on.
std::string WriteFailureReason(const std::string& path, std::string_view section, std::string_view key);

// Why the last write of the profile file at path failed, from the profile service's errno.
std::string FileWriteReason(const std::string& path);

// Why the profile file at path could not be read, or an empty text when it could.
std::string ReadFailureReason(const std::string& path);

}  // namespace ini_tool
