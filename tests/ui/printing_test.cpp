// The month on paper: where the picture lands on the page, the PDF the
// calendar writes, the preview's zoom and layout, the page setup.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QToolButton>
#include <fstream>

#include "PrtestV/print_preview.h"
#include "jump/up_down.h"
#include "platform/owner_draw_grid.h"
#include "prnset/month_page.h"
#include "prnset/page_setup_dialog.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::WindowHarness;

// A4 at 1200 dpi with Qt's 10 mm edges; drawn at 100 pixels per inch.
constexpr PrintableArea kA4{9583, 13699, 1200};
constexpr int kCanvasPpi = 100;

QImage printedPage(TForm1& w, const PrintMargins& margins) {
    QImage page(kA4.width * kCanvasPpi / kA4.resolution, kA4.height * kCanvasPpi / kA4.resolution,
                QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    printMonth(painter, kCanvasPpi, kA4, margins, w.pageSource());
    return page;
}

// The rectangle that holds every pixel that is not white.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The calendar's PDF of the shown month with these margins, as a picture
// of the paper at 100 pixels per inch.
QImage pdfPaper(uitest::WindowHarness& h, const PrintMargins& margins) {
    TForm1& w = *h.window;
    w.settings.printTop = margins.top;
    w.settings.printLeft = margins.left;
    w.settings.printRight = margins.right;
    const QString pdf = QString::fromStdString(h.folder.dir()) + "page.pdf";
    h.dialogs.savePath = pdf;
    w.mnupdfClick();
    const QString png = QString::fromStdString(h.folder.dir()) + "page";
    run("pdftoppm", {"-r", QString::number(kCanvasPpi), "-png", "-singlefile", pdf, png});
    return QImage(png + ".png");
}

TEST(PrintedPage, ThePictureFillsItsPlaceWithinTheMargins) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    const QSize picture = monthPictureSize(w.pageSource());
    // The printable area begins at the printer's unprintable edge.
    const QRectF printable = w.printer().pageRect(QPrinter::Inch);
    const QPoint corner(qRound(printable.x() * kCanvasPpi), qRound(printable.y() * kCanvasPpi));
    const PrintableArea area = printableAreaOf(w.printer());
    for (PrintMargins margins : {PrintMargins{2, 3, 3}, PrintMargins{0, 0, 0}, PrintMargins{2, 13, 3}}) {
        SCOPED_TRACE(margins.left);
        const PrintPlacement at = placeMonthPicture(area, margins, picture.width(), picture.height(), kCanvasPpi);
        const QImage paper = pdfPaper(h, margins);
        ASSERT_FALSE(paper.isNull());
        const QRect ink = inkBounds(paper).translated(-corner);
        // The grid's left line starts the picture at the left margin; its
        // last line ends it at the bottom; the title sits inside.
        EXPECT_NEAR(ink.left(), at.x, 2);
        EXPECT_NEAR(ink.bottom(), at.y + at.height - 1, 2);
        EXPECT_GE(ink.top(), at.y - 1);
        EXPECT_LE(ink.right(), at.x + at.width);
        EXPECT_GT(ink.width(), at.width * 9 / 10);
    }
}

TEST(PrintedPage, NoTodayMarkNoFocusFrameAndATallMonthStaysOnThePage) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    w.hideEditor();
    const QColor today(0, 0, 255);
    QImage page = printedPage(w, {0, 0, 0});
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) ASSERT_NE(page.pixelColor(x, y), today) << x << "," << y;

    // Memo rows 400 pixels high: the month would run far past the page.
    for (int week = 1; week <= w.model.weekRows; ++week) w.dg1->setRowHeight(MonthModel::memoRow(week), 400);
    page = printedPage(w, {2, 3, 3});
    const QRect ink = inkBounds(page);
    EXPECT_LE(ink.bottom(), page.height() - 1);
    EXPECT_GE(ink.bottom(), page.height() - 3);  // it ends at the printable bottom, not above
    const QSize picture = monthPictureSize(w.pageSource());
    EXPECT_NEAR(static_cast<double>(ink.height()) / ink.width(), static_cast<double>(picture.height()) / (7 * 101),
                0.02);
}

TEST(PrintedPage, SixWeeksPrintTallerThanFive) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    const QRect five = inkBounds(printedPage(w, {2, 3, 3}));
    w.btnprevClick();  // November 2026 has five weeks too
    for (int i = 0; i < 3; ++i) w.btnprevClick();  // August 2026 has six
    ASSERT_EQ(w.model.weekRows, 6);
    const QRect six = inkBounds(printedPage(w, {2, 3, 3}));
    EXPECT_EQ(six.width(), five.width());
    EXPECT_GT(six.height(), five.height());
}

TEST(PdfFile, OnePageOnA4WithASharpPicture) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    const QString pdf = QString::fromStdString(h.folder.dir()) + "month";  // ".pdf" is added
    h.dialogs.savePath = pdf;
    w.mnupdfClick();
    ASSERT_EQ(h.dialogs.saveTitles.size(), 1u);
    EXPECT_EQ(h.dialogs.saveTitles[0], QString::fromUtf8("PDFに保存"));
    EXPECT_TRUE(h.dialogs.proposedPaths[0].endsWith(QString::fromUtf8("/2026年12月.pdf")));

    const QString info = run("pdfinfo", {pdf + ".pdf"});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Calendar"))) << info.toStdString();
    // One picture, at least 300 of its pixels to the inch of paper.
    const QStringList images = run("pdfimages", {"-list", pdf + ".pdf"}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(images.size(), 3) << images.join('\n').toStdString();  // two heading lines, one image
    const QStringList columns = images[2].simplified().split(' ');
    EXPECT_GE(columns[12].toInt(), 300) << images[2].toStdString();  // x-ppi
}

TEST(PdfFile, AFolderThatCannotBeWrittenIsReported) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    h.dialogs.savePath = QStringLiteral("/proc/no-such-folder/month.pdf");
    w.mnupdfClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_NE(h.dialogs.messages[0].find("に書き込めません"), std::string::npos);
}

// The memos on the page are as private as the month files; the picker
// starts in a folder that exists, named in full, never one the working
// directory would decide.
TEST(PdfFile, IsTheOwnersOnlyAndProposedInAFolderThatExists) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    uitest::TempFolder home;
    const QByteArray oldHome = qgetenv("HOME");
    const QString homeDir = QString::fromStdString(home.dir()).chopped(1);
    qputenv("HOME", homeDir.toUtf8());
    w.mnupdfClick();  // cancelled
    std::filesystem::create_directory(home.file("Documents"));
    w.mnupdfClick();
    qputenv("HOME", oldHome);
    ASSERT_EQ(h.dialogs.proposedPaths.size(), 2u);
    EXPECT_EQ(h.dialogs.proposedPaths[0], homeDir + QString::fromUtf8("/2026年12月.pdf")) << "no Documents: home";
    EXPECT_EQ(h.dialogs.proposedPaths[1], homeDir + QString::fromUtf8("/Documents/2026年12月.pdf"));

    ::umask(022);
    const std::string pdf = h.folder.file("month.pdf");
    h.dialogs.savePath = QString::fromStdString(pdf);
    w.mnupdfClick();
    struct stat st {};
    ASSERT_EQ(::stat(pdf.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(h.folder.get("month.pdf").starts_with("%PDF-"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(PrintCommands, EnabledWithoutAnyPrinterAndPrintOnlyAfterTheDialog) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    for (QAction* a : {w.mnuprinterset, w.printpreview, w.mnuprint, w.mnupdf, w.tbprint, w.tbpreview})
        EXPECT_TRUE(a->isEnabled());
    const std::string out = h.folder.dir() + "printed.pdf";
    w.printer().setOutputFileName(QString::fromStdString(out));
    h.dialogs.printerChosen = false;
    w.mnuprintClick();
    EXPECT_FALSE(std::ifstream(out).good());
    h.dialogs.printerChosen = true;
    w.mnuprintClick();
    EXPECT_TRUE(std::ifstream(out).good());
}

PaperMetrics a4() { return {9917, 14033, 167, 167, kA4}; }

TEST(PrintPreview, ZoomStepsWithinItsLimitsAndSaysSo) {
    Tfrmpreview preview(a4(), 96, QRect(0, 0, 1000, 900), nullptr, [] {});
    preview.show();
    preview.setZoom(50);
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("x50%"));
    while (preview.SpeedButton2->isEnabled()) preview.SpeedButton2->click();
    EXPECT_EQ(preview.zoom(), 25);
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("x25%"));
    preview.setZoom(0);
    EXPECT_EQ(preview.zoom(), 25);
    while (preview.SpeedButton1->isEnabled()) preview.SpeedButton1->click();
    EXPECT_EQ(preview.zoom(), 150);
    EXPECT_EQ(preview.Label1->text(), QStringLiteral("x150%"));
    EXPECT_TRUE(preview.SpeedButton2->isEnabled());
    // The paper at 150 %: 9917 printer pixels at 1200 dpi on a 96 ppi screen.
    EXPECT_EQ(preview.Panel2->width(), 1190);
    EXPECT_EQ(preview.PaintBox1->geometry(), QRect(20, 20, 1150, 1644));
}

TEST(PrintPreview, PaperCentredWhileSmallerThanTheViewPinnedWhenLarger) {
    Tfrmpreview preview(a4(), 96, QRect(0, 0, 1000, 900), nullptr, [] {});
    preview.show();
    preview.setZoom(25);
    const QSize view = preview.ScrollBox1->viewport()->size();
    const QRect paper = preview.Panel2->geometry();
    EXPECT_EQ(paper.left(), (view.width() - paper.width()) / 2);
    EXPECT_EQ(paper.top(), (view.height() - paper.height()) / 2);
    preview.setZoom(150);
    EXPECT_EQ(preview.Panel2->pos(), QPoint(0, 0));
    preview.setZoom(25);
    preview.resize(300, 300);
    QApplication::processEvents();
    EXPECT_EQ(preview.Panel2->geometry().left(),
              std::max(0, (preview.ScrollBox1->viewport()->width() - preview.Panel2->width()) / 2));
}

TEST(PrintPreview, TheCalendarStepsAsideWhileItShows) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    bool calendarHidden = false;
    int zoom = 0;
    w.runModal = [&](QDialog& d) {
        calendarHidden = !w.isVisible();
        zoom = static_cast<Tfrmpreview&>(d).zoom();
    };
    w.printpreviewClick();
    EXPECT_TRUE(calendarHidden);
    EXPECT_EQ(zoom, 50);
    EXPECT_TRUE(w.isVisible());
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PageSetup, OkStoresTheMarginsCancelKeepsTheFileAndTheEdits) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    const std::string ini = h.folder.dir() + "kelmora.ini";
    bool accept = false;
    w.runModal = [&](QDialog& d) {
        auto& setup = static_cast<Tfrmprnset&>(d);
        setup.udup->stepBy(3);    // 2 -> 5
        setup.udleft->stepBy(60);  // 3 -> 50, the most
        setup.Button1->click();    // the platform's page setup
        if (accept) d.accept();
        else d.reject();
    };
    w.mnuprintersetClick();
    EXPECT_EQ(fileText(ini).find("[print]"), std::string::npos);
    EXPECT_EQ(h.dialogs.pageSetups, 1);
    // Reopened after Cancel it shows the values as last edited.
    EXPECT_EQ(w.frmprnset->margins().top, 5);
    accept = true;
    w.mnuprintersetClick();
    EXPECT_NE(fileText(ini).find("[print]\r\ntop=8\r\nleft=50\r\nright=3\r\n"), std::string::npos) << fileText(ini);
    EXPECT_EQ(w.settings.printTop, 8);
    EXPECT_EQ(w.settings.printLeft, 50);
}

}  // namespace
}  // namespace kelmora
