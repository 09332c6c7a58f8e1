#include "main/expired_files.h"

#include "main/cp932.h"
#include "main/month_files.h"

namespace kelmora {

Date expiryCutOff(const Date& today, int monthsBack) {
    const int index = today.year * 12 + (today.month - 1) - monthsBack;
    return Date{index / 12, index % 12 + 1, 1};
}

CleanupOutcome deleteExpiredMemoFiles(FileSystem& files, Prompts& prompts, const Clock& clock,
                                      const std::string& programDir, int monthsBack) {
    const Date cutOff = expiryCutOff(clock.today(), monthsBack);
    const std::string dir = withTrailingSeparator(programDir);
    bool agreed = false;
    for (const MonthFile& file : listMemoFiles(files, dir)) {
        if (Date{file.month.year, file.month.month, 1} >= cutOff) continue;
        if (!agreed) {
            const std::string question = std::to_string(cutOff.year) + cp932::literal("年") +
                                         std::to_string(cutOff.month) +
                                         cp932::literal("月より前のメモデータファイルを全て削除します。\r\n"
                                                        "よろしいですか？");
            if (prompts.ask(MessageIcon::Warning, Buttons::YesNo, question) != Answer::Yes)
                return CleanupOutcome::Refused;
            agreed = true;
        }
        files.removeFile(dir + file.name);  // one that cannot go is looked at again next time
    }
    return agreed ? CleanupOutcome::Deleted : CleanupOutcome::NothingExpired;
}

}  // namespace kelmora
