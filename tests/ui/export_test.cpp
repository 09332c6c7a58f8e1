// Exporting memos as an iCalendar file from the window: the month dialog,
// the save picker, and what the user is told.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QtTest/QTest>

#include "CanvasEdit/TCanvasEdit.h"
#include "CtrlsEx/edit_ex.h"
#include "export/export_range_dialog.h"
#include "jump/up_down.h"
#include "main/cp932.h"
#include "calendar_driving.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::clickCell;
using uitest::memoCellOfDay;
using uitest::WindowHarness;

// The month dialog: `adjust` moves its spin controls, then OK (or Cancel).
void answerRange(TForm1& w, std::function<void(Tform_export&)> adjust, bool ok = true) {
    w.runModal = [adjust, ok](QDialog& d) {
        auto& dialog = static_cast<Tform_export&>(d);
        if (adjust) adjust(dialog);
        QTest::mouseClick(ok ? dialog.btnok : dialog.btncancel, Qt::LeftButton);
    };
}

std::string fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

TEST(ExportCommand, SavesTheShownMonthAndWritesTheChosenMonths) {
    WindowHarness h(Date{2024, 12, 10});
    TForm1& w = h.open();
    const auto [col, row] = memoCellOfDay(w, 27);
    clickCell(w, col, row);
    uitest::commitText(w.memo1, QStringLiteral("忘年会, 19:00"));
    ASSERT_TRUE(w.model.dirty);

    YearMonth offeredFirst, offeredLast;
    answerRange(w, [&](Tform_export& d) {
        offeredFirst = d.first();
        offeredLast = d.last();
        d.uplastmonth->stepBy(1);  // December to January of the next year
    });
    const QString target = QString::fromStdString(h.folder.file("書き出し.ics"));
    h.dialogs.savePath = target;
    w.mnuexportClick();

    EXPECT_EQ(offeredFirst, (YearMonth{2024, 12}));
    EXPECT_EQ(offeredLast, (YearMonth{2024, 12}));
    ASSERT_EQ(h.dialogs.proposedPaths.size(), 1u);
    EXPECT_EQ(QFileInfo(h.dialogs.proposedPaths[0]).fileName(), QStringLiteral("kelmora-202412-202501.ics"));
    EXPECT_FALSE(w.model.dirty) << "the shown month was not saved first";
    const std::string ics = fileText(target);
    EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20241227\r\nDTEND;VALUE=DATE:20241228\r\nSUMMARY:忘年会\\, 19:00\r\n"),
              std::string::npos)
        << ics;
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], "1 件の予定を " + target.toStdString() + " に書き出しました。");
    EXPECT_EQ(QFileInfo(target).permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFileDevice::Permissions()) << "the owner's only, as the month files";

    // The next export is offered in the folder the last one went to.
    answerRange(w, nullptr);
    w.mnuexportClick();
    ASSERT_EQ(h.dialogs.proposedPaths.size(), 2u);
    EXPECT_EQ(QFileInfo(h.dialogs.proposedPaths[1]).absolutePath(), QFileInfo(target).absolutePath());
    EXPECT_EQ(QFileInfo(h.dialogs.proposedPaths[1]).fileName(), QStringLiteral("kelmora-202412.ics"));

    // That folder gone: the next one is offered in a folder that exists.
    {
        uitest::TempFolder elsewhere;
        h.dialogs.savePath = QString::fromStdString(elsewhere.file("x.ics"));
        answerRange(w, nullptr);
        w.mnuexportClick();
    }
    answerRange(w, nullptr);
    w.mnuexportClick();
    ASSERT_EQ(h.dialogs.proposedPaths.size(), 4u);
    const QFileInfo offered(h.dialogs.proposedPaths[3]);
    EXPECT_TRUE(offered.isAbsolute());
    EXPECT_TRUE(QFileInfo(offered.absolutePath()).isDir()) << offered.filePath().toStdString();
}

TEST(ExportCommand, CancelsNothingToExportAndWriteErrors) {
    const struct {
        const char* name;
        bool rangeOk;
        bool withMemo;
        const char* savePath;  // relative to the program folder; "" cancels the picker
        bool picked;           // the save picker was opened
        const char* message;   // what the user is told, after the file's path for an error
    } cases[] = {
        {"range dialog cancelled", false, true, "out.ics", false, nullptr},
        {"save picker cancelled", true, true, "", true, nullptr},
        {"no memo in the months", true, false, "out.ics", false,
         "2024年12月から2024年12月までに、書き出すメモも矢印もありません。"},
        {"folder missing", true, true, "missing/out.ics", true, " に書き出せませんでした。\r\n保存先のフォルダがありません。"},
    };
    for (const auto& c : cases) {
        WindowHarness h(Date{2024, 12, 10});
        TForm1& w = h.open();
        if (c.withMemo) {
            const auto [col, row] = memoCellOfDay(w, 3);
            clickCell(w, col, row);
            uitest::commitText(w.memo1, QStringLiteral("歯医者"));
        }
        answerRange(w, nullptr, c.rangeOk);
        const QString path = *c.savePath ? QString::fromStdString(h.folder.file(c.savePath)) : QString();
        if (!path.isEmpty()) h.dialogs.savePath = path;
        w.mnuexportClick();
        EXPECT_EQ(h.dialogs.proposedPaths.size(), c.picked ? 1u : 0u) << c.name;
        if (!c.message) {
            EXPECT_TRUE(h.dialogs.messages.empty()) << c.name;
        } else {
            ASSERT_EQ(h.dialogs.messages.size(), 1u) << c.name;
            const std::string expected = (c.picked ? QDir::toNativeSeparators(path).toStdString() : "") + c.message;
            EXPECT_EQ(h.dialogs.messages[0], expected) << c.name;
        }
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(h.folder.file("out.ics")))) << c.name;
    }
}

TEST(ExportRangeDialog, MonthsCarryIntoTheYearAndNeverCross) {
    const struct {
        const char* name;
        YearMonth first, last;
        std::function<void(Tform_export&)> spin;
        YearMonth wantFirst, wantLast;
    } cases[] = {
        {"last month past December", {2024, 12}, {2024, 12}, [](Tform_export& d) { d.uplastmonth->stepBy(1); },
         {2024, 12}, {2025, 1}},
        {"first month before January", {2024, 1}, {2024, 3}, [](Tform_export& d) { d.upfirstmonth->stepBy(-1); },
         {2023, 12}, {2024, 3}},
        {"first year past the last", {2024, 5}, {2024, 8}, [](Tform_export& d) { d.upfirstyear->stepBy(1); },
         {2025, 5}, {2025, 5}},
        {"last month before the first", {2024, 5}, {2024, 5}, [](Tform_export& d) { d.uplastmonth->stepBy(-1); },
         {2024, 4}, {2024, 4}},
        {"the calendar's last month", {9999, 12}, {9999, 12}, [](Tform_export& d) { d.uplastmonth->stepBy(1); },
         {9999, 12}, {9999, 12}},
        {"a preset out of order", {2024, 5}, {2023, 1}, nullptr, {2024, 5}, {2024, 5}},
    };
    for (const auto& c : cases) {
        Tform_export dialog;
        dialog.setMonths(c.first, c.last);
        if (c.spin) c.spin(dialog);
        EXPECT_EQ(dialog.first(), c.wantFirst) << c.name;
        EXPECT_EQ(dialog.last(), c.wantLast) << c.name;
    }
    // The arrow keys spin the focused field.
    Tform_export dialog;
    dialog.setMonths({2024, 5}, {2024, 5});
    dialog.show();
    QTest::keyClick(dialog.firstYearField, Qt::Key_Up);
    EXPECT_EQ(dialog.first(), (YearMonth{2025, 5}));
    EXPECT_EQ(dialog.last(), (YearMonth{2025, 5}));
}

}  // namespace
}  // namespace kelmora
