#include "export/export_file.h"

#include <unistd.h>

#include <filesystem>

#include "main/cp932.h"

namespace kelmora {
namespace fs = std::filesystem;
namespace {

// Room the file system keeps beside the bytes themselves.
constexpr std::uintmax_t kSpareBytes = 64 * 1024;

// Looks at the place the write failed in for the reason a user can act on.
std::string failureCause(const std::string& path, std::size_t size) {
    std::error_code ec;
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) return cp932::literal("保存先のフォルダがありません。");
    if (fs::is_directory(path, ec)) return cp932::literal("同じ名前のフォルダがあります。");
    const fs::file_status status = fs::status(path, ec);
    if (!ec && fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return cp932::literal("同じ名前のファイルが読み取り専用になっています。");
    if (::access(folder.c_str(), W_OK) != 0) return cp932::literal("保存先のフォルダに書き込む権限がありません。");
    const fs::space_info space = fs::space(folder, ec);
    if (!ec && space.available < size + kSpareBytes) return cp932::literal("ディスクの空きが足りません。");
    return cp932::literal("書き込み中にエラーが起きました。");
}

}  // namespace

std::optional<std::string> writeExportFile(FileSystem& files, const std::string& path, std::string_view bytes) {
    if (files.replaceFile(path, bytes) == WriteStatus::Ok) return std::nullopt;
    return failureCause(path, bytes.size());
}

}  // namespace kelmora
