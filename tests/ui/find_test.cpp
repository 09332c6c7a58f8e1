// The memo search dialog: from Ctrl+Shift+F to the day found, by keyboard
// and by mouse, the marked text, and a search that finds nothing.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <map>

#include "CanvasEdit/TCanvasEdit.h"
#include "find/find_dialog.h"
#include "find/hit_list.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "calendar_driving.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::commitText;
using uitest::focusOf;
using uitest::memoCellOfDay;
using uitest::pressKey;
using uitest::WindowHarness;

// A month file with memos (day → UTF-8 text), as the calendar writes it.
void writeMonth(const WindowHarness& h, int year, int month, const std::map<int, const char*>& memos) {
    MonthModel m;
    m.year = static_cast<std::uint16_t>(year);
    m.month = static_cast<std::uint16_t>(month);
    ASSERT_TRUE(m.buildMonth());
    for (const auto& [day, text] : memos) {
        int col = 0, week = 0;
        m.cellOfDay(day, col, week);
        m.memos[col][week].text = cp932::literal(text);
    }
    h.folder.put(monthFileName("", year, month), *encodeMonthFile(m));
}

void pressOnFocus(int key) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    QApplication::processEvents();
}

QStringList rowsOf(const Tform_find& find) {
    QStringList rows;
    const QAbstractItemModel* model = find.ListHits->model();
    for (int row = 0; row < model->rowCount(); ++row) rows << model->index(row, 0).data().toString();
    return rows;
}

// A window too low for all of a six-week month, so a day in its last week
// has to be scrolled to.
struct SearchWindow {
    SearchWindow() : h(Date{2026, 12, 10}, QRect(0, 0, 1280, 420)) {
        writeMonth(h, 2025, 8, {{31, "買い物\r\n歯医者 10:00"}});  // a Sunday in week 6
        writeMonth(h, 2024, 5, {{20, "ｼｶ 予約"}});
    }
    WindowHarness h;
};

TEST(FindDialog, FromCtrlShiftFToTheFocusedDayByKeyboard) {
    SearchWindow s;
    TForm1& w = s.h.open();
    // Typed just now and not saved yet: the search finds it too.
    uitest::clickCell(w, memoCellOfDay(w, 10).first, memoCellOfDay(w, 10).second);
    commitText(w.memo1, QStringLiteral("歯医者の予約"));

    Tform_find* find = nullptr;
    w.runModal = [&](QDialog& d) {
        find = &static_cast<Tform_find&>(d);
        d.show();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), find->EditText);
        commitText(find->EditText, QStringLiteral("歯医者"));
        pressOnFocus(Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), find->ListHits);
        EXPECT_EQ(rowsOf(*find), (QStringList{QStringLiteral("2025年8月31日(日)  歯医者 10:00"),
                                              QStringLiteral("2026年12月10日(木)  歯医者の予約")}));
        EXPECT_EQ(find->ListHits->currentIndex().row(), 0);
        EXPECT_TRUE(find->ListHits->selectionModel()->isSelected(find->ListHits->currentIndex()));
        pressOnFocus(Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    };
    pressKey(w, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_NE(find, nullptr);

    EXPECT_EQ(w.model.year * 100 + w.model.month, 202508);
    const auto day = memoCellOfDay(w, 31);
    EXPECT_EQ(focusOf(w), day);
    EXPECT_EQ(std::pair(w.dg1->col(), w.dg1->row()), day);
    EXPECT_FALSE(w.dg1->cellRect(day.first, day.second).isEmpty());      // scrolled into view
    EXPECT_FALSE(w.dg1->cellRect(day.first, day.second - 1).isEmpty());  // with its date
    EXPECT_EQ(w.focusWidget(), w.dg1);  // the keyboard's once the window is active again
    EXPECT_TRUE(s.h.folder.has("202612.wmd"));  // saved before the search

    // The next opening keeps the text, ready to be typed over, and lists
    // its days as the memos are now.
    w.runModal = [&](QDialog& d) {
        d.show();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), find->EditText);
        EXPECT_EQ(find->EditText->selectedText(), QStringLiteral("歯医者"));
        EXPECT_EQ(rowsOf(*find).size(), 2);
        pressOnFocus(Qt::Key_Escape);
    };
    pressKey(w, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.model.year * 100 + w.model.month, 202508);  // Escape shows nothing
}

TEST(FindDialog, ADoubleClickShowsTheDayAndTheFoundTextIsMarked) {
    SearchWindow s;
    TForm1& w = s.h.open();
    w.runModal = [&](QDialog& d) {
        auto& find = static_cast<Tform_find&>(d);
        d.show();
        QApplication::processEvents();
        find.EditText->setText(QStringLiteral("しか"));
        QTest::mouseClick(find.BtnSearch, Qt::LeftButton);
        ASSERT_EQ(rowsOf(find), QStringList{QStringLiteral("2024年5月20日(月)  ｼｶ 予約")});

        // Marker colour behind the found text, and nowhere in the date.
        find.ListHits->clearSelection();
        const QRect row = find.ListHits->visualRect(find.ListHits->model()->index(0, 0));
        const QImage image = find.ListHits->viewport()->grab().toImage();
        const QRgb marker = HitDelegate::markerColour().rgb();
        int markedFrom = -1;
        for (int x = row.left(); x < row.right() && markedFrom < 0; ++x)
            if (image.pixel(x, row.center().y()) == marker) markedFrom = x;
        const int lineLeft = row.left() + find.ListHits->fontMetrics().horizontalAdvance(
                                              HitListModel::dateText(Date{2024, 5, 20}));
        EXPECT_GT(markedFrom, lineLeft);

        // A double click as the window system delivers it: a click, then the
        // second press as a double click.
        QTest::mouseClick(find.ListHits->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
        EXPECT_TRUE(d.isVisible());  // one click only selects
        QTest::mouseDClick(find.ListHits->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
        EXPECT_FALSE(d.isVisible());
    };
    w.mnufindClick();
    EXPECT_EQ(w.model.year * 100 + w.model.month, 202405);
    EXPECT_EQ(focusOf(w), memoCellOfDay(w, 20));
}

TEST(FindDialog, NothingFoundSaysSoAndKeepsTheText) {
    SearchWindow s;
    TForm1& w = s.h.open();
    const std::string unreadable = s.h.folder.get("202405.wmd").substr(0, 20);
    s.h.folder.put("202405.wmd", unreadable);
    w.runModal = [&](QDialog& d) {
        auto& find = static_cast<Tform_find&>(d);
        d.show();
        QApplication::processEvents();
        commitText(find.EditText, QStringLiteral("会議"));
        pressOnFocus(Qt::Key_Return);
        EXPECT_EQ(find.ListHits->model()->rowCount(), 0);
        EXPECT_TRUE(find.LabelStatus->text().startsWith(QStringLiteral("該当するメモはありません")));
        EXPECT_TRUE(find.LabelStatus->text().contains(QStringLiteral("202405.wmd")));
        EXPECT_EQ(QApplication::focusWidget(), find.EditText);
        EXPECT_EQ(find.EditText->selectedText(), QStringLiteral("会議"));
        EXPECT_FALSE(find.BtnShow->isEnabled());
        pressOnFocus(Qt::Key_Return);  // Enter again searches again, and closes nothing
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(find.BtnClose, Qt::LeftButton);
    };
    w.mnufindClick();
    EXPECT_EQ(w.model.year * 100 + w.model.month, 202612);
    EXPECT_TRUE(s.h.dialogs.messages.empty());
}

}  // namespace
}  // namespace kelmora
