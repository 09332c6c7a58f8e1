// The almanac items of the view menu: off at start with nothing computed,
// stored at once when ticked, shown in the grid, read back at the next start.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/owner_draw_grid.h"
#include "prnset/month_page.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::WindowHarness;

QImage gridImage(TForm1& w) { return w.dg1->viewport()->grab().toImage(); }

TEST(AlmanacItems, OffAtStartAndNothingComputed) {
    WindowHarness h(Date{2026, 3, 10});
    TForm1& w = h.open();
    gridImage(w);  // painted at least once
    EXPECT_FALSE(w.mnurokuyo->isChecked());
    EXPECT_FALSE(w.mnusekki->isChecked());
    EXPECT_EQ(w.koyomi.monthsKept(), 0u);
}

TEST(AlmanacItems, TickedItemsAreStoredAtOnceShownAndReadBack) {
    WindowHarness h(Date{2026, 3, 10});
    TForm1& w = h.open();
    const QImage plain = gridImage(w);

    w.mnurokuyoClick();
    EXPECT_TRUE(w.mnurokuyo->isChecked());
    EXPECT_NE(h.folder.get("kelmora.ini").find("[day]\r\nrokuyo=1\r\n"), std::string::npos);
    const QImage withRokuyo = gridImage(w);
    EXPECT_NE(withRokuyo, plain);
    EXPECT_EQ(w.koyomi.monthsKept(), 1u);

    w.mnusekkiClick();
    EXPECT_TRUE(w.mnusekki->isChecked());
    EXPECT_NE(gridImage(w), withRokuyo);
    w.mnurokuyoClick();
    EXPECT_FALSE(w.mnurokuyo->isChecked());
    const std::string ini = h.folder.get("kelmora.ini");
    EXPECT_NE(ini.find("rokuyo=0\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("sekki=1\r\n"), std::string::npos) << ini;
    w.mnusekkiClick();
    EXPECT_EQ(gridImage(w), plain);
    w.mnusekkiClick();

    h.close();
    TForm1& again = h.open();
    EXPECT_FALSE(again.mnurokuyo->isChecked());
    EXPECT_TRUE(again.mnusekki->isChecked());
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(AlmanacItems, ThePrintedPageShowsWhatTheGridShows) {
    WindowHarness h(Date{2026, 3, 10});
    TForm1& w = h.open();
    const QImage plain = renderMonthImage(w.pageSource(), 1.0);
    w.mnusekkiClick();
    const QImage terms = renderMonthImage(w.pageSource(), 1.0);
    EXPECT_NE(terms, plain);
    w.mnusekkiClick();
    EXPECT_EQ(renderMonthImage(w.pageSource(), 1.0), plain);
}

TEST(AlmanacItems, AFileThatCannotBeWrittenIsReported) {
    WindowHarness h(Date{2026, 3, 10});
    h.folder.put("kelmora.ini", "[form]\r\ntoolbar=1\r\n");
    h.folder.makeReadOnly("kelmora.ini");
    TForm1& w = h.open();
    w.mnurokuyoClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_NE(h.dialogs.messages[0].find("に書き込めません"), std::string::npos);
    EXPECT_TRUE(w.mnurokuyo->isChecked());  // shown for this session all the same
}

}  // namespace
}  // namespace kelmora
