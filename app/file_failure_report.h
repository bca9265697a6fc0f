#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "store/profile_service.h"

// What the user is told when a profile file cannot be read or written: once per failing file and
// action (reading, saving), with the file and the reason. The input dialog saves at every
// keystroke, so a message for every failed save would make typing impossible; the file is named
// again only after it could be read or written once more. Meanwhile the changes stay on screen
// and the next save that succeeds stores them all.
class FileFailureReport {
public:
    // Takes one event of the profile service's failure listener. True when a message is newly
    // due: the caller shows TakeMessages once the user's current action has finished.
    bool Note(const profile::FileFailure& event);
    // The messages due (UTF-8), in the order the files failed, and forgets them.
    std::vector<std::string> TakeMessages();

private:
    std::set<std::pair<std::string, profile::FileFailure::Action>> told_;
    std::vector<profile::FileFailure> due_;
};

// The message for one failure, in Japanese.
std::string FileFailureMessage(const profile::FileFailure& failure);
