#include "export/export_file.h"

#include <filesystem>

#include "main/cp932.h"

namespace kelmora {
namespace {

// The write's own error, in a sentence about the place the user chose.
std::string failureCause(const std::string& path, const FileError& error) {
    switch (error.problem) {
        case FileProblem::NotFound: return cp932::literal("保存先のフォルダがありません。");
        case FileProblem::NotRegularFile: return cp932::literal("同じ名前のフォルダがあります。");
        case FileProblem::DiskFull: return cp932::literal("ディスクの空きが足りません。");
        case FileProblem::NoPermission: {
            // Refused either for the file itself or for its folder.
            std::error_code ec;
            const std::filesystem::file_status status = std::filesystem::status(path, ec);
            if (!ec && std::filesystem::exists(status) &&
                (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
                return cp932::literal("同じ名前のファイルが読み取り専用になっています。");
            return cp932::literal("保存先のフォルダに書き込む権限がありません。");
        }
        case FileProblem::ReadOnly: return cp932::literal("保存先のフォルダに書き込む権限がありません。");
        default: return describeFileError(error) + cp932::literal("。");
    }
}

}  // namespace

std::optional<std::string> writeExportFile(FileSystem& files, const std::string& path, std::string_view bytes) {
    const WriteResult written = files.replaceFile(path, bytes);
    if (written.ok()) return std::nullopt;
    return failureCause(path, written.error);
}

}  // namespace kelmora
