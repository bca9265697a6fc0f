#include "store/failure_reason.h"

#include <cerrno>
#include <cstring>

#include "store/file_size_limit.h"

namespace profile {

std::string FailureReason(int error, FileFailure::Action action) {
    switch (error) {
        case EACCES:
        case EPERM:
            return action == FileFailure::Action::Write
                       ? "書き込みが許可されていません（読み取り専用のファイルかフォルダーです）。"
                       : "読み込みが許可されていません。";
        case EROFS: return "読み取り専用のファイルシステムです。";
        case ENOSPC: return "ディスクの空き容量が足りません。";
        case EDQUOT: return "ディスクの使用量の上限に達しています。";
        case ELOOP: return "シンボリックリンクが循環しています。";
        case ENOENT: return "保存先のフォルダーがありません。";
        case ENOTDIR: return "保存先のパスの途中にフォルダーでないものがあります。";
        case EISDIR: return "ファイルではなくフォルダーです。";
        case EINVAL: return "通常のファイルではありません。";
        case EFBIG:
            // A write stops at the process's file-size limit before the size the program reads.
            if (const std::uint64_t limit = LowFileSizeLimit(); limit != 0 && action == FileFailure::Action::Write)
                return "ファイルの大きさの上限（ulimit -f の " + std::to_string(limit) + " バイト）を超えます。";
            return "ファイルが大きすぎます（" + std::to_string(kMaxFileBytes >> 20) + "MBまで）。";
        case EIO: return "入出力エラーが起きました。";
        case EAGAIN: return "その間に他のプログラムがファイルを変更しました。もう一度やり直して下さい。";
        default: return std::string("エラーが起きました（") + std::strerror(error) + "）。";
    }
}

std::string NotWrittenMessage(const std::string& fsPath) {
    return NotWrittenMessage(fsPath, ProfileService::Instance().WriteError(fsPath));
}

std::string NotWrittenMessage(const std::string& fsPath, int error) {
    return "「" + fsPath + "」に書き込めません。" + FailureReason(error, FileFailure::Action::Write);
}

}  // namespace profile
