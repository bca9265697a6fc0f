#pragma once

#include <string>

#include "store/profile_service.h"

namespace profile {

// Why a profile file could not be read or written (an errno, as FileFailure has it), in
// Japanese for the program's messages: one sentence, ending in "。".
std::string FailureReason(int error, FileFailure::Action action);

// "「PATH」に書き込めません。" and why, from the profile service's last write of that file.
std::string NotWrittenMessage(const std::string& fsPath);
// The same for any file the program writes, from the errno of the failed write.
std::string NotWrittenMessage(const std::string& fsPath, int error);

}  // namespace profile
