#include "app/file_failure_report.h"

#include "store/failure_reason.h"

namespace {

using Action = profile::FileFailure::Action;

}  // namespace

std::string FileFailureMessage(const profile::FileFailure& failure) {
    if (failure.action == Action::Read)
        return "「" + failure.file + "」を読み込めません。\n" + profile::FailureReason(failure.error, failure.action);
    return "「" + failure.file + "」に保存できません。\n" + profile::FailureReason(failure.error, failure.action) +
           "\n変更は画面に残り、次に保存できたときにまとめて保存されます。";
}

bool FileFailureReport::Note(const profile::FileFailure& event) {
    if (event.error == 0) {
        // Written again, it is also readable again.
        told_.erase({event.file, Action::Read});
        if (event.action == Action::Write) told_.erase({event.file, Action::Write});
        return false;
    }
    // A file that cannot be read cannot be saved either; one message says so.
    if (event.action == Action::Write && told_.count({event.file, Action::Read}) != 0) return false;
    if (!told_.insert({event.file, event.action}).second) return false;
    due_.push_back(event);
    return due_.size() == 1;
}

std::vector<std::string> FileFailureReport::TakeMessages() {
    std::vector<std::string> messages;
    for (const profile::FileFailure& failure : due_) messages.push_back(FileFailureMessage(failure));
    due_.clear();
    return messages;
}
