#pragma once

#include <string>
#include <string_view>

namespace ini_tool {

// Why a key could not be written to the profile file at path, for a message. The profile service
// only tells that a write failed; the user needs to know what to fix.
std::string WriteFailureReason(const std::string& path, std::string_view section, std::string_view key);

}  // namespace ini_tool
