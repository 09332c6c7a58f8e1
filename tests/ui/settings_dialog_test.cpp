// The settings dialog opened from the calendar window: its controls and
// previews, OK and Cancel, the settings file it writes, and the calendar's
// look afterwards.

#include "settei/settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/cp932.h"
#include "platform/colours.h"
#include "platform/font_picker.h"
#include "platform/owner_draw_grid.h"
#include "settei/colour_list.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::WindowHarness;

// The calendar's settings command, with `script` playing the user in the
// dialog it opens.
void inSettingsDialog(TForm1& w, const std::function<void(TForm2&)>& script) {
    w.runModal = [&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        script(static_cast<TForm2&>(dialog));
    };
    w.setteiClick();
    QApplication::processEvents();
}

void choose(QComboBox* list, int item) {
    list->setCurrentIndex(item);
    emit list->activated(item);
}

void clickOk(TForm2& d) { QTest::mouseClick(d.btnok, Qt::LeftButton); }

int pixelsOf(const QImage& image, const QRect& area, const QColor& colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

// A preview as its page shows it (the page brought to the front first).
QImage picture(OwnerDrawGrid* grid) {
    auto* pages = qobject_cast<QTabWidget*>(grid->window()->findChild<QTabWidget*>());
    pages->setCurrentWidget(grid->parentWidget());
    QApplication::processEvents();
    return grid->viewport()->grab().toImage();
}

std::string utf8(const std::string& cp932) { return cp932::toUtf8(cp932); }

struct SettingsDialog : ::testing::Test {
    WindowHarness h{Date{2026, 5, 6}};  // May 2026 starts on a Friday
    std::string ini() { return h.folder.get("kelmora.ini"); }
};

TEST_F(SettingsDialog, LaidOutAsTheCalendarsOtherDialogs) {
    TForm1& w = h.open();
    inSettingsDialog(w, [](TForm2& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("設定"));
        EXPECT_EQ(d.size(), QSize(532, 374));
        EXPECT_EQ(d.PageCtl->geometry(), QRect(0, 0, 532, 332));
        EXPECT_EQ(d.btnok->geometry(), QRect(358, 344, 72, 24));
        EXPECT_EQ(d.btncancel->geometry(), QRect(443, 344, 72, 24));
        EXPECT_EQ(d.dg2->geometry(), QRect(8, 16, 249, 161));
        EXPECT_EQ(d.dg3->geometry(), QRect(0, 8, 321, 113));
        QStringList pages;
        for (int i = 0; i < d.PageCtl->count(); ++i) pages << d.PageCtl->tabText(i);
        EXPECT_EQ(pages.join(QLatin1Char('|')),
                  QString::fromUtf8("カレンダー|カレンダー(2)|週休・祝日名|メモデータ|常駐・曜日並び"));
        // The controls that differ by their setting carry their index.
        EXPECT_EQ(d.findChild<QWidget*>(QStringLiteral("Btnbackcolor_3")), d.btnbackcolor[3]);
        EXPECT_EQ(d.findChild<QWidget*>(QStringLiteral("colorcombo_8")), d.colorcombo[8]);
        EXPECT_EQ(d.btnbackcolor[11]->toolTip(), QString::fromUtf8("ウィンドウ余白の色設定"));
        EXPECT_EQ(d.TBar1->minimum(), 50);
        EXPECT_EQ(d.TBar1->maximum(), 200);
        EXPECT_EQ(d.TBar2->minimum(), 30);
        EXPECT_EQ(d.TBar2->maximum(), 100);
        d.btncancel->click();
    });
}

TEST_F(SettingsDialog, CancelAndTheCloseBoxApplyAndWriteNothing) {
    const std::string before = "; mine\r\n[memo]\r\nwidth=120\r\n[youbi]\r\nfontcolor1=clOlive\r\n";
    enum How { CancelButton, CloseBox, EscapeKey, NoFileCancel };
    for (How how : {CancelButton, CloseBox, EscapeKey, NoFileCancel}) {
        WindowHarness run(Date{2026, 5, 6});
        if (how != NoFileCancel) run.folder.put("kelmora.ini", before);
        TForm1& w = run.open();
        const Settings settings = w.settings;
        const int rows = w.dg1->rowCount();
        inSettingsDialog(w, [&](TForm2& d) {
            d.ckbweek[6]->click();
            d.rb_monstart->click();
            d.TBar1->setValue(180);
            run.dialogs.colours.push_back(0x123456);
            d.btnbackcolor[1]->click();
            switch (how) {
                case CancelButton:
                case NoFileCancel:
                    d.btncancel->click();
                    break;
                case CloseBox:
                    d.close();
                    break;
                case EscapeKey:
                    QTest::keyClick(&d, Qt::Key_Escape);
                    break;
            }
            EXPECT_FALSE(d.isVisible()) << how;
        });
        EXPECT_EQ(w.settings, settings) << how;
        EXPECT_EQ(w.dg1->defaultColWidth(), settings.memo.width) << how;
        EXPECT_FALSE(w.model.mondayStart) << how;
        EXPECT_EQ(w.dg1->rowCount(), rows) << how;
        if (how == NoFileCancel)
            EXPECT_FALSE(run.folder.has("kelmora.ini"));
        else
            EXPECT_EQ(run.folder.get("kelmora.ini"), before) << how;
        EXPECT_EQ(run.files.replaces["kelmora.ini"], 0) << how;
    }
}

// Each control reaches its own setting, and what it shows changes with it.
TEST_F(SettingsDialog, ColourButtonsSetTheirOwnColourAndShowIt) {
    TForm1& w = h.open();
    const struct {
        int slot;
        std::function<Colour(const TForm2&)> setting;
        OwnerDrawGrid* TForm2::*grid;  // where a fill shows it, or none
        int col, row;
    } buttons[] = {
        {1, [](const TForm2& d) { return d.header.bkcolor1; }, &TForm2::dg2, 0, 0},
        {2, [](const TForm2& d) { return d.header.bkcolor2; }, &TForm2::dg2, 1, 0},
        {3, [](const TForm2& d) { return d.date.bkcolor1; }, &TForm2::dg2, 0, 1},
        {4, [](const TForm2& d) { return d.date.bkcolor2; }, &TForm2::dg2, 1, 1},
        {5, [](const TForm2& d) { return d.memo.bkcolor1; }, &TForm2::dg2, 0, 2},
        {6, [](const TForm2& d) { return d.memo.bkcolor2; }, &TForm2::dg2, 1, 2},
        {7, [](const TForm2& d) { return d.date.bkrinsetu; }, &TForm2::dg3, 0, 0},
        {8, [](const TForm2& d) { return d.memo.bkrinsetu; }, &TForm2::dg3, 0, 1},
        {9, [](const TForm2& d) { return d.todayColour; }, nullptr, 0, 0},
        {10, [](const TForm2& d) { return d.arrowColour; }, nullptr, 0, 0},
        {11, [](const TForm2& d) { return d.windowColour; }, nullptr, 0, 0},
    };
    inSettingsDialog(w, [&](TForm2& d) {
        for (const auto& b : buttons) {
            const Colour picked = rgb(10 + b.slot, 20, 30);
            h.dialogs.colours.push_back(picked);
            d.btnbackcolor[b.slot]->click();
            EXPECT_EQ(b.setting(d), picked) << b.slot;
            // The button's face shows it.
            EXPECT_EQ(d.btnbackcolor[b.slot]->grab().toImage().pixelColor(6, 6), toQColor(picked)) << b.slot;
            if (b.grid) {
                OwnerDrawGrid* grid = d.*b.grid;
                const QImage image = picture(grid);
                const QRect cell = grid->cellRect(b.col, b.row);
                ASSERT_FALSE(cell.isEmpty());
                EXPECT_EQ(image.pixelColor(cell.right() - 1, cell.bottom() - 1), toQColor(picked)) << b.slot;
            }
        }
        EXPECT_EQ(d.Panel1->palette().color(QPalette::Window), toQColor(rgb(21, 20, 30)));
        // A cancelled picker changes nothing.
        d.btnbackcolor[1]->click();
        EXPECT_EQ(d.header.bkcolor1, rgb(11, 20, 30));
        d.btncancel->click();
    });
}

TEST_F(SettingsDialog, ColourListsSetTheirTextColoursAndThePreviewDrawsInThem) {
    TForm1& w = h.open();
    const struct {
        int slot;
        std::function<Colour(const TForm2&)> setting;
    } lists[] = {
        {1, [](const TForm2& d) { return d.header.font.colour1; }},
        {2, [](const TForm2& d) { return d.header.font.colour2; }},
        {3, [](const TForm2& d) { return d.date.font.colour1; }},
        {4, [](const TForm2& d) { return d.date.font.colour2; }},
        {5, [](const TForm2& d) { return d.memo.font.colour1; }},
        {6, [](const TForm2& d) { return d.memo.font.colour2; }},
        {7, [](const TForm2& d) { return d.title.colour; }},
        {8, [](const TForm2& d) { return d.memo.font.colour3; }},
    };
    inSettingsDialog(w, [&](TForm2& d) {
        for (const auto& l : lists) {
            choose(d.colorcombo[l.slot], 3);  // "青"
            EXPECT_EQ(l.setting(d), 0xFF0000u) << l.slot;
            choose(d.colorcombo[l.slot], 0);  // "黒"
            EXPECT_EQ(l.setting(d), 0x000000u) << l.slot;
        }
        choose(d.colorcombo[7], 1);  // the title preview at once
        EXPECT_EQ(d.lbltitle->palette().color(QPalette::WindowText), QColor(Qt::red));
        // The header's holiday cell draws "日" in the list's colour.
        choose(d.colorcombo[1], 9);  // "紺"
        picture(d.dg2);
        EXPECT_GT(pixelsOf(picture(d.dg2), d.dg2->cellRect(0, 0), toQColor(0x800000)), 3);
        EXPECT_EQ(pixelsOf(picture(d.dg2), d.dg2->cellRect(1, 0), toQColor(0x800000)), 0);
        d.btncancel->click();
    });
}

TEST_F(SettingsDialog, SlidersTextPositionsAndChecksChangeTheirCopies) {
    TForm1& w = h.open();
    inSettingsDialog(w, [&](TForm2& d) {
        d.TBar1->setValue(150);
        EXPECT_EQ(d.memo.width, 150);
        EXPECT_EQ(d.Label1->text(), QStringLiteral("150"));
        EXPECT_EQ(d.dg2->defaultColWidth(), 150);
        d.TBar2->setValue(80);
        EXPECT_EQ(d.memo.height, 80);
        EXPECT_EQ(d.Label9->text(), QStringLiteral("80"));
        EXPECT_EQ(d.dg2->rowHeight(2), 80);

        choose(d.weekbox, 2);
        EXPECT_EQ(d.header.textpos, 2);
        choose(d.CBox1, 1);
        EXPECT_EQ(d.date.textpos, 1);

        ASSERT_TRUE(d.date.holiname);
        d.cb_hname->click();
        EXPECT_FALSE(d.date.holiname);

        ASSERT_FALSE(d.ComboBox1->isEnabled());
        d.RadioB2->click();
        EXPECT_TRUE(d.deleteOldFiles);
        EXPECT_TRUE(d.ComboBox1->isEnabled());
        EXPECT_TRUE(d.Memo1->isEnabled());
        d.RadioB1->click();
        EXPECT_FALSE(d.deleteOldFiles);
        EXPECT_FALSE(d.ComboBox1->isEnabled());
        d.btncancel->click();
    });
}

TEST_F(SettingsDialog, FontButtonsPresetThePickerWithTheirLimitAndTakeFaceSizeAndStyle) {
    TForm1& w = h.open();
    QFont mincho(QStringLiteral("IPAPMincho"), 14);
    mincho.setItalic(true);
    mincho.setUnderline(true);
    inSettingsDialog(w, [&](TForm2& d) {
        struct Button {
            QPushButton* button;
            std::function<Tfontset(const TForm2&)> font;
            int previewRow;  // dg2's row sized by the font, or -1
        } const buttons[] = {
            {d.btnweekfont, [](const TForm2& f) { return f.header.font; }, 0},
            {d.btndayfont, [](const TForm2& f) { return f.date.font; }, 1},
            {d.btnmemofont, [](const TForm2& f) { return f.memo.font; }, -1},
        };
        for (const Button& b : buttons) {
            const Tfontset before = b.font(d);
            h.dialogs.fonts.push_back(mincho);
            b.button->click();
            const auto& asked = h.dialogs.fontRequests.back();
            EXPECT_EQ(asked.maxPointSize, 20);
            EXPECT_EQ(asked.preset.family(), toQString(before.name));
            EXPECT_EQ(asked.preset.pointSize(), before.size);
            EXPECT_EQ(asked.preset.bold(), (before.style & StyleBold) != 0);
            const Tfontset after = b.font(d);
            EXPECT_EQ(after.name, "IPAPMincho");
            EXPECT_EQ(after.size, 14);
            EXPECT_EQ(after.style, StyleItalic | StyleUnderline);
            EXPECT_EQ(after.colour1, before.colour1);  // colours are the lists' business
            if (b.previewRow >= 0) {
                EXPECT_EQ(d.dg2->rowHeight(b.previewRow), w.fontRowHeight(14));
            }
            b.button->click();  // cancelled: the font stays
            EXPECT_EQ(b.font(d), after);
        }

        // The title: up to 26 points; the face it stood in for keeps its name.
        const QString standIn = QFontInfo(QFont(toQString(d.title.name))).family();
        QFont title(standIn, 24);
        title.setBold(true);
        h.dialogs.fonts.push_back(title);
        d.Button1->click();
        EXPECT_EQ(h.dialogs.fontRequests.back().maxPointSize, 26);
        EXPECT_EQ(utf8(d.title.name), "ＭＳ Ｐ明朝");
        EXPECT_EQ(d.title.size, 24);
        EXPECT_EQ(d.title.style, StyleBold);
        EXPECT_EQ(d.lbltitle->font().pointSize(), 24);
        EXPECT_EQ(d.lbltitle->x(), d.Panel1->width() / 2 - d.lbltitle->width() / 2);

        // A face whose name the settings file cannot hold is refused by name.
        const Tfontset memo = d.memo.font;
        h.dialogs.messages.clear();
        h.dialogs.fonts.push_back(QFont(QString::fromUtf8("나눔고딕"), 12));
        d.btnmemofont->click();
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.dialogs.messages[0], "フォント名の文字「나」は設定ファイルに保存できないため、このフォントは使えません。");
        EXPECT_EQ(d.memo.font, memo);
        d.btncancel->click();
    });
}

TEST_F(SettingsDialog, HolidayNameSampleSitsOppositeTheDateAndNotWhenCentred) {
    TForm1& w = h.open();
    inSettingsDialog(w, [&](TForm2& d) {
        const QColor fill = toQColor(d.date.bkcolor1);
        picture(d.dg2);
        const QRect cell = d.dg2->cellRect(0, 1);
        const QRect left(cell.left(), cell.top(), cell.width() / 4, cell.height());
        const QRect right(cell.right() + 1 - cell.width() / 4, cell.top(), cell.width() / 4, cell.height());
        // Something is drawn in the holiday date cell's outer quarters.
        const auto inked = [&](const QRect& area) {
            return pixelsOf(picture(d.dg2), area, fill) < area.width() * area.height();
        };
        const struct {
            int textpos;
            bool names;
            bool inkLeft, inkRight;
        } cases[] = {
            {0, true, true, true},   {1, true, false, false}, {2, true, true, true},
            {0, false, true, false}, {2, false, false, true},
        };
        for (const auto& c : cases) {
            if (d.cb_hname->isChecked() != c.names) d.cb_hname->click();
            choose(d.CBox1, c.textpos);
            EXPECT_EQ(inked(left), c.inkLeft) << c.textpos << c.names;
            EXPECT_EQ(inked(right), c.inkRight) << c.textpos << c.names;
        }
        d.btncancel->click();
    });
}

TEST_F(SettingsDialog, TodayMarkSwitchesThePreviewAndItsColourButton) {
    TForm1& w = h.open();
    inSettingsDialog(w, [&](TForm2& d) {
        const QColor mark = toQColor(d.todayColour);
        picture(d.dg3);
        const QRect cell = d.dg3->cellRect(1, 0);
        ASSERT_TRUE(d.rbtodayon->isChecked());
        EXPECT_GT(pixelsOf(picture(d.dg3), cell, mark), 10);
        d.rbtodayoff->click();
        EXPECT_EQ(pixelsOf(picture(d.dg3), cell, mark), 0);
        EXPECT_FALSE(d.btnbackcolor[9]->isEnabled());
        EXPECT_FALSE(d.Label16->isEnabled());
        d.rbtodayon->click();
        EXPECT_GT(pixelsOf(picture(d.dg3), cell, mark), 10);
        EXPECT_TRUE(d.btnbackcolor[9]->isEnabled());
        // The arrow runs across the two weekday cells in the arrow colour.
        const QColor arrow = toQColor(d.arrowColour);
        EXPECT_GT(pixelsOf(picture(d.dg3), d.dg3->cellRect(1, 1), arrow), 10);
        EXPECT_GT(pixelsOf(picture(d.dg3), d.dg3->cellRect(2, 1), arrow), 10);
        EXPECT_EQ(pixelsOf(picture(d.dg3), d.dg3->cellRect(0, 1), arrow), 0);
        d.btncancel->click();
    });
}

TEST_F(SettingsDialog, HandEditedColourShowsNoSelectionAndSurvivesOkUntilChosen) {
    h.folder.put("kelmora.ini", "[youbi]\r\nfontcolor1=clOlive\r\n");
    TForm1& w = h.open();
    inSettingsDialog(w, [&](TForm2& d) {
        EXPECT_EQ(d.colorcombo[1]->currentIndex(), -1);
        EXPECT_EQ(d.colorcombo[2]->currentIndex(), 0);  // black
        clickOk(d);
    });
    EXPECT_EQ(w.settings.header.font.colour1, 0x008080u);
    EXPECT_NE(ini().find("fontcolor1=clOlive\r\n"), std::string::npos);
    inSettingsDialog(w, [&](TForm2& d) {
        choose(d.colorcombo[1], 6);  // "緑"
        clickOk(d);
    });
    EXPECT_EQ(w.settings.header.font.colour1, 0x008000u);
    EXPECT_EQ(ini().find("clOlive"), std::string::npos);
}

TEST_F(SettingsDialog, SizesOutsideTheSlidersOpenAtTheirEnds) {
    h.folder.put("kelmora.ini", "[memo]\r\nwidth=300\r\nheight=10\r\n");
    TForm1& w = h.open();
    inSettingsDialog(w, [&](TForm2& d) {
        EXPECT_EQ(d.TBar1->value(), 200);
        EXPECT_EQ(d.Label1->text(), QStringLiteral("200"));
        EXPECT_EQ(d.TBar2->value(), 30);
        EXPECT_EQ(d.Label9->text(), QStringLiteral("30"));
        clickOk(d);
    });
    EXPECT_EQ(w.settings.memo.width, 200);
    EXPECT_EQ(w.dg1->defaultColWidth(), 200);
    EXPECT_EQ(w.settings.memo.height, 30);
    EXPECT_NE(ini().find("width=200\r\nheight=30\r\n"), std::string::npos);
}

TEST_F(SettingsDialog, RetentionChoicesStoreTheirMonthsAndReopenSelected) {
    TForm1& w = h.open();
    const struct {
        int item;
        int months;
    } choices[] = {{0, 0}, {1, 1}, {2, 2}, {3, 5}, {4, 11}};
    for (const auto& c : choices) {
        inSettingsDialog(w, [&](TForm2& d) {
            d.RadioB2->click();
            choose(d.ComboBox1, c.item);
            clickOk(d);
        });
        EXPECT_EQ(w.settings.keepMonths, c.months);
        EXPECT_TRUE(w.settings.deleteOldFiles);
        EXPECT_NE(ini().find("[delfile]\r\nflag=1\r\nmonth=" + std::to_string(c.months) + "\r\n"), std::string::npos);
        inSettingsDialog(w, [&](TForm2& d) {
            EXPECT_EQ(d.ComboBox1->currentIndex(), c.item) << c.months;
            EXPECT_TRUE(d.RadioB2->isChecked());
            d.btncancel->click();
        });
    }
    // A month count no item offers shows none.
    w.settings.keepMonths = 3;
    inSettingsDialog(w, [](TForm2& d) {
        EXPECT_EQ(d.ComboBox1->currentIndex(), -1);
        d.btncancel->click();
    });
}

TEST_F(SettingsDialog, TrayIconChangesOnlyWhenTheCheckBoxEndsChanged) {
    TForm1& w = h.open();
    ASSERT_EQ(w.trayIcon, nullptr);
    inSettingsDialog(w, [](TForm2& d) {
        d.cbx_jouchuu->click();
        d.cbx_jouchuu->click();
        EXPECT_TRUE(d.trayTouched);
        clickOk(d);
    });
    EXPECT_EQ(w.trayIcon, nullptr);
    EXPECT_FALSE(w.settings.trayResidence);

    inSettingsDialog(w, [](TForm2& d) {
        d.cbx_jouchuu->click();
        clickOk(d);
    });
    EXPECT_NE(w.trayIcon, nullptr);
    EXPECT_TRUE(w.settings.trayResidence);
    EXPECT_NE(ini().find("jouchuu=1\r\n"), std::string::npos);

    inSettingsDialog(w, [](TForm2& d) {
        EXPECT_FALSE(d.trayTouched);  // opening does not count as a click
        d.cbx_jouchuu->click();
        clickOk(d);
    });
    EXPECT_EQ(w.trayIcon, nullptr);
    EXPECT_FALSE(w.settings.trayResidence);
}

// Everything OK hands over shows in the calendar as a start with the same
// settings file would show it.
TEST_F(SettingsDialog, OkTakesFullEffectInTheCalendarAsAtStart) {
    TForm1& w = h.open();
    h.files.resetCounts();
    inSettingsDialog(w, [&](TForm2& d) {
        d.rb_monstart->click();
        d.ckbweek[0]->click();  // Sunday is no longer a day off
        d.ckbweek[6]->click();  // Saturday is
        h.dialogs.fonts = {QFont(QStringLiteral("IPAPGothic"), 12), QFont(QStringLiteral("IPAPGothic"), 11),
                           QFont(QStringLiteral("IPAGothic"), 10), QFont(QStringLiteral("IPAPMincho"), 20)};
        d.btnweekfont->click();
        d.btndayfont->click();
        d.btnmemofont->click();
        d.Button1->click();
        d.TBar1->setValue(150);
        d.TBar2->setValue(70);
        clickOk(d);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    // One read and one replace of the settings file.
    EXPECT_EQ(h.files.replaces["kelmora.ini"], 1);
    EXPECT_EQ(h.files.reads["kelmora.ini"], 1);

    EXPECT_TRUE(w.model.mondayStart);
    EXPECT_EQ(utf8(w.model.weekdayNames[0]), "月");
    int col = 0, week = 0;
    w.model.cellOfDay(2, col, week);  // Saturday 2 May
    EXPECT_EQ(col, 5);
    EXPECT_EQ(w.model.cells[col][week].holiday, 1);
    w.model.cellOfDay(10, col, week);  // Sunday 10 May
    EXPECT_EQ(w.model.cells[col][week].holiday, 0);

    EXPECT_EQ(w.dg1->rowHeight(0), w.fontRowHeight(12));
    EXPECT_EQ(w.dg1->rowHeight(1), w.fontRowHeight(11));
    EXPECT_EQ(w.dg1->defaultColWidth(), 150);
    EXPECT_EQ(w.dg1->rowHeight(2), 70);
    EXPECT_EQ(w.memo1->width(), 151);
    EXPECT_EQ(w.memo1->font().family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(w.memo1->font().pointSize(), 10);
    EXPECT_EQ(w.Label1->font().pointSize(), 20);
    EXPECT_EQ(w.gridTop(), 5 + std::max(w.Label1->geometry().bottom(), w.btnprev->geometry().bottom()) + 1);
    EXPECT_EQ(w.clientHeight(), w.gridTop() + w.dg1->height());

    // name, value after OK, value after a start with the file OK wrote
    std::vector<std::pair<const char*, std::function<QVariant(TForm1&)>>> look = {
        {"header row", [](TForm1& t) { return t.dg1->rowHeight(0); }},
        {"date row", [](TForm1& t) { return t.dg1->rowHeight(1); }},
        {"memo row", [](TForm1& t) { return t.dg1->rowHeight(2); }},
        {"column", [](TForm1& t) { return t.dg1->defaultColWidth(); }},
        {"grid top", [](TForm1& t) { return t.gridTop(); }},
        {"client width", [](TForm1& t) { return t.clientWidth(); }},
        {"client height", [](TForm1& t) { return t.clientHeight(); }},
        {"title font", [](TForm1& t) { return t.Label1->font(); }},
        {"title colour", [](TForm1& t) { return t.Label1->palette().color(QPalette::WindowText); }},
        {"editor font", [](TForm1& t) { return t.memo1->font(); }},
        {"first weekday", [](TForm1& t) { return QString::fromStdString(t.model.weekdayNames[0]); }},
    };
    std::vector<QVariant> afterOk;
    for (const auto& [name, value] : look) afterOk.push_back(value(w));
    const Settings chosen = w.settings;
    h.close();
    TForm1& again = h.open();
    EXPECT_EQ(again.settings, chosen);
    for (std::size_t i = 0; i < look.size(); ++i) EXPECT_EQ(look[i].second(again), afterOk[i]) << look[i].first;
}

TEST_F(SettingsDialog, RefusedWriteReportsOnceAppliesOnlyTheWeeklyDaysOffAndStaysOpen) {
    const std::string before = "[memo]\r\nwidth=120\r\n";
    h.folder.put("kelmora.ini", before);
    TForm1& w = h.open();
    const Settings original = w.settings;
    h.files.refuseRename = true;
    inSettingsDialog(w, [&](TForm2& d) {
        d.ckbweek[6]->click();
        d.TBar1->setValue(160);
        d.rb_monstart->click();
        d.cbx_jouchuu->click();
        clickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_NE(d.result(), QDialog::Accepted);
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.dialogs.messages[0], h.folder.file("kelmora.ini") + " に書き込めません");
        EXPECT_TRUE(w.settings.weeklyHolidays[6]);
        Settings rest = w.settings;
        rest.weeklyHolidays = original.weeklyHolidays;
        EXPECT_EQ(rest, original);
        EXPECT_EQ(w.trayIcon, nullptr);
        d.btncancel->click();
    });
    EXPECT_EQ(h.folder.get("kelmora.ini"), before);
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dg1->defaultColWidth(), 120);
    EXPECT_FALSE(w.model.mondayStart);
    // The weekly days off are the calendar's now: Saturdays show as days off.
    int col = 0, week = 0;
    w.model.cellOfDay(2, col, week);
    EXPECT_EQ(w.model.cells[col][week].holiday, 1);
}

TEST_F(SettingsDialog, MonthThatCannotBeSavedKeepsTheDialogShut) {
    TForm1& w = h.open();
    auto [col, row] = std::pair{w.model.focusCol, w.model.focusRow};
    w.model.memos[col][MonthModel::weekOfRow(row)].text = "memo";
    w.model.dirty = true;
    h.files.refuseCreating.insert(h.window->store().fileNameOf(w.model).substr(h.folder.dir().size()));
    bool shown = false;
    w.runModal = [&](QDialog&) { shown = true; };
    w.setteiClick();
    EXPECT_FALSE(shown);
    EXPECT_TRUE(w.model.dirty);
    EXPECT_EQ(w.model.memos[col][MonthModel::weekOfRow(row)].text, "memo");
}

// The platform's picker: a size above the limit is refused and the picker
// stays open for another choice.
TEST(FontPickerLimit, RefusesSizesAboveTheLimitAndStaysOpen) {
    uitest::ScriptedDialogs prompts;
    FontPicker picker(QFont(QStringLiteral("IPAPGothic"), 9), 20, prompts);
    picker.open();
    picker.setCurrentFont(QFont(QStringLiteral("IPAPGothic"), 22));
    picker.accept();
    EXPECT_TRUE(picker.isVisible());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("20"), std::string::npos);
    picker.setCurrentFont(QFont(QStringLiteral("IPAPGothic"), 20));
    picker.accept();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.selectedFont().pointSize(), 20);
}

}  // namespace
}  // namespace kelmora
