#include "app/file_failure_report.h"

#include <cerrno>
#include <cstring>

namespace {

using Action = profile::FileFailure::Action;

std::string Reason(int error, Action action) {
    switch (error) {
        case EACCES:
        case EPERM:
            return action == Action::Write ? "書き込みが許可されていません（読み取り専用のファイルかフォルダーです）。"
                                           : "読み込みが許可されていません。";
        case EROFS: return "読み取り専用のファイルシステムです。";
        case ENOSPC: return "ディスクの空き容量が足りません。";
        case EDQUOT: return "ディスクの使用量の上限に達しています。";
        case ELOOP: return "シンボリックリンクが循環しています。";
        case ENOENT: return "保存先のフォルダーがありません。";
        case ENOTDIR: return "保存先のパスの途中にフォルダーでないものがあります。";
        case EISDIR: return "ファイルではなくフォルダーです。";
        case EINVAL: return "通常のファイルではありません。";
        case EFBIG: return "ファイルが大きすぎます（" + std::to_string(profile::kMaxFileBytes >> 20) + "MBまで）。";
        case EIO: return "入出力エラーが起きました。";
        case EAGAIN: return "その間に他のプログラムがファイルを変更しました。もう一度やり直して下さい。";
        default: return std::string("エラーが起きました（") + std::strerror(error) + "）。";
    }
}

}  // namespace

std::string FileFailureMessage(const profile::FileFailure& failure) {
    if (failure.action == Action::Read)
        return "「" + failure.file + "」を読み込めません。\n" + Reason(failure.error, failure.action);
    return "「" + failure.file + "」に保存できません。\n" + Reason(failure.error, failure.action) +
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
