#include "main/file_error.h"

#include <cerrno>

#include "main/cp932.h"

namespace kelmora {

FileError fileErrorFromErrno(int code) {
    switch (code) {
        case 0: return {};
        case ENOENT:
        case ENOTDIR: return {FileProblem::NotFound, code};
        case EACCES:
        case EPERM: return {FileProblem::NoPermission, code};
        case EROFS: return {FileProblem::ReadOnly, code};
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return {FileProblem::DiskFull, code};
        case EISDIR:
        case ENXIO:
        case ENODEV: return {FileProblem::NotRegularFile, code};
        case EFBIG: return {FileProblem::TooLarge, code};
        case ELOOP: return {FileProblem::LinkLoop, code};
        default: return {FileProblem::Other, code};
    }
}

std::string describeFileError(const FileError& error) {
    switch (error.problem) {
        case FileProblem::None: return {};
        case FileProblem::NotFound: return cp932::literal("ファイルまたはフォルダが見つかりません");
        case FileProblem::NoPermission: return cp932::literal("書き込みや読み取りの権限がありません");
        case FileProblem::ReadOnly: return cp932::literal("読み取り専用の場所です");
        case FileProblem::DiskFull: return cp932::literal("ディスクの空き容量が足りません");
        case FileProblem::NotRegularFile: return cp932::literal("普通のファイルではありません（フォルダや装置など）");
        case FileProblem::TooLarge: return cp932::literal("ファイルが大きすぎます");
        case FileProblem::LinkLoop: return cp932::literal("シンボリックリンクが循環しています");
        case FileProblem::Other: break;
    }
    return cp932::literal("入出力エラーです（エラー番号 ") + std::to_string(error.code) + cp932::literal("）");
}

std::string pathForMessage(const std::string& path) { return cp932::fromUtf8ForDisplay(path); }

}  // namespace kelmora
