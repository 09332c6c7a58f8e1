// "iCalendar形式で書き出す": the memos and arrows of a run of months into an
// .ics file that phone and web calendars import.

#include <QDir>
#include <QFileInfo>

#include "export/calendar_export.h"
#include "export/export_file.h"
#include "export/export_range_dialog.h"
#include "main/TForm1.h"
#include "main/cp932.h"
#include "platform/qt_text.h"
#include "platform/save_location.h"

namespace kelmora {
namespace {

std::string monthCaption(YearMonth ym) {
    return std::to_string(ym.year) + cp932::literal("年") + std::to_string(ym.month) + cp932::literal("月");
}

QString yyyymm(YearMonth ym) { return QStringLiteral("%1%2").arg(ym.year).arg(ym.month, 2, 10, QLatin1Char('0')); }

QString suggestedName(YearMonth first, YearMonth last) {
    QString name = QStringLiteral("kelmora-") + yyyymm(first);
    if (last != first) name += QLatin1Char('-') + yyyymm(last);
    return name + QStringLiteral(".ics");
}

// The month files that could not be read, one a line, for a message.
std::string unreadableNote(const std::vector<std::string>& files) {
    if (files.empty()) return {};
    std::string note = cp932::literal("\r\n\r\n次のメモデータファイルは読み込めなかったため、その月のメモは含めていません。");
    for (const std::string& path : files) note += "\r\n" + cp932Shown(QFileInfo(QString::fromStdString(path)).fileName());
    return note;
}

}  // namespace

// The shown month is saved first, so the export holds what is on screen.
void TForm1::mnuexportClick() {
    hideEditor();
    if (!saveBeforeLeaving()) return;
    auto* dialog = findChild<Tform_export*>();
    if (!dialog) dialog = new Tform_export(this);
    const YearMonth shown{model.year, model.month};
    dialog->setMonths(shown, shown);
    runModal(*dialog);
    if (!dialog->exportConfirmed) return;
    const YearMonth first = dialog->first(), last = dialog->last();

    const CalendarExport result =
        exportCalendar(*env_.files, env_.programDir, first, last, universalTimeOf(env_.clock->now()));
    const std::string note = unreadableNote(result.unreadableFiles);
    if (result.events.empty()) {
        env_.dialogs->ask(note.empty() ? MessageIcon::Information : MessageIcon::Warning, Buttons::Ok,
                          monthCaption(first) + cp932::literal("から") + monthCaption(last) +
                              cp932::literal("までに、書き出すメモも矢印もありません。") + note);
        return;
    }

    std::optional<QString> chosen =
        env_.dialogs->pickSaveFile(japanese("iCalendar形式で書き出す"), proposedSavePath(suggestedName(first, last), dialog->lastFolder),
                                   japanese("iCalendar ファイル (*.ics)"));
    if (!chosen) return;
    if (!chosen->endsWith(QStringLiteral(".ics"), Qt::CaseInsensitive)) *chosen += QStringLiteral(".ics");
    const QString path = QDir::toNativeSeparators(*chosen);
    const std::string shownPath = cp932Shown(path);
    if (std::optional<std::string> cause = writeExportFile(*env_.files, chosen->toStdString(), result.ics)) {
        env_.dialogs->ask(MessageIcon::Error, Buttons::Ok,
                          shownPath + cp932::literal(" に書き出せませんでした。\r\n") + *cause);
        return;
    }
    dialog->lastFolder = QFileInfo(*chosen).absolutePath();
    env_.dialogs->ask(note.empty() ? MessageIcon::Information : MessageIcon::Warning, Buttons::Ok,
                      std::to_string(result.events.size()) + cp932::literal(" 件の予定を ") + shownPath +
                          cp932::literal(" に書き出しました。") + note);
}

}  // namespace kelmora
