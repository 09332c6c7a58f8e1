#include "main/expired_files.h"

#include <cctype>
#include <string_view>

#include "main/cp932.h"

namespace kelmora {
namespace {

bool digitsToInt(const std::string& text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

std::vector<std::string> listMemoFiles(const FileSystem& files, const std::string& directory) {
    return files.listFiles(withTrailingSeparator(directory), ".wmd");
}

Date expiryCutOff(const Date& today, int monthsBack) {
    const int index = today.year * 12 + (today.month - 1) - monthsBack;
    return Date{index / 12, index % 12 + 1, 1};
}

std::optional<Date> monthOfFileName(const std::string& name) {
    static constexpr std::string_view kExtension = ".wmd";
    if (name.size() != 6 + kExtension.size()) return std::nullopt;
    for (std::size_t i = 0; i < kExtension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[6 + i])) != kExtension[i]) return std::nullopt;
    int year = 0, month = 0;
    if (!digitsToInt(name, 0, 4, year) || !digitsToInt(name, 4, 2, month)) return std::nullopt;
    if (year < 1 || month < 1 || month > 12) return std::nullopt;
    return Date{year, month, 1};
}

CleanupOutcome deleteExpiredMemoFiles(FileSystem& files, Prompts& prompts, const Clock& clock,
                                      const std::string& programDir, int monthsBack) {
    const Date cutOff = expiryCutOff(clock.today(), monthsBack);
    const std::string dir = withTrailingSeparator(programDir);
    bool agreed = false;
    for (const std::string& name : listMemoFiles(files, dir)) {
        const std::optional<Date> month = monthOfFileName(name);
        if (!month || *month >= cutOff) continue;
        if (!agreed) {
            const std::string question = std::to_string(cutOff.year) + cp932::literal("年") +
                                         std::to_string(cutOff.month) +
                                         cp932::literal("月より前のメモデータファイルを全て削除します。\r\n"
                                                        "よろしいですか？");
            if (prompts.ask(MessageIcon::Warning, Buttons::YesNo, question) != Answer::Yes)
                return CleanupOutcome::Refused;
            agreed = true;
        }
        files.removeFile(dir + name);  // one that cannot go is looked at again next time
    }
    return agreed ? CleanupOutcome::Deleted : CleanupOutcome::NothingExpired;
}

}  // namespace kelmora
