// The month on paper: the page setup, the preview, printing and saving the
// page as a PDF. The page is drawn by the month page of prnset; this file
// only connects it to the window's commands.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolBar>

#include "PrtestV/print_preview.h"
#include "export/export_file.h"
#include "main/TForm1.h"
#include "main/cp932.h"
#include "main/toolbar_icons.h"
#include "platform/owner_draw_grid.h"
#include "platform/qt_text.h"
#include "platform/save_location.h"
#include "prnset/month_page.h"
#include "prnset/page_setup_dialog.h"

namespace kelmora {
namespace {

const char* const kJobTitle = "Calendar";

PrintMargins marginsOf(const Settings& s) { return {s.printTop, s.printLeft, s.printRight}; }

PaperMetrics paperOf(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    return {static_cast<int>(paper.width()), static_cast<int>(paper.height()), static_cast<int>(page.x()),
            static_cast<int>(page.y()), printableAreaOf(printer)};
}

}  // namespace

void TForm1::createPrintCommands(QMenu* calendar) {
    mnuprinterset = calendar->addAction(japanese("印刷用紙設定(&U)..."), this, [this] { mnuprintersetClick(); });
    printpreview = calendar->addAction(japanese("印刷プレビュー(&V)..."), this, [this] { printpreviewClick(); });
    mnuprint = calendar->addAction(japanese("印刷(&P)..."), this, [this] { mnuprintClick(); });
    mnupdf = calendar->addAction(japanese("PDFに保存(&D)..."), this, [this] { mnupdfClick(); });
}

QPrinter& TForm1::printer() {
    // Without any printer installed the page still goes to a PDF, on A4.
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

MonthPageSource TForm1::pageSource() const {
    return MonthPageSource{model, look(), *dg1, Label1->text(), Label1->sizeHint().width(), shownKoyomi()};
}

// One page titled "Calendar"; false (and the user told) when the printer
// or the file cannot be opened.
bool TForm1::printPage(QPrinter& target) {
    target.setDocName(QString::fromLatin1(kJobTitle));
    QPainter painter;
    if (!painter.begin(&target)) {
        const QString where = target.outputFileName();
        env_.dialogs->ask(MessageIcon::Error, Buttons::Ok,
                          where.isEmpty()
                              ? cp932::literal("印刷を始められません。\r\nプリンタの設定を確かめてください。")
                              : cp932::literal("ファイル ") + cp932Of(where) +
                                    cp932::literal(" に書き込めません。\r\n保存先のフォルダに書き込めるか確かめてください。"));
        return false;
    }
    printMonth(painter, target.resolution(), printableAreaOf(target), marginsOf(settings), pageSource());
    return painter.end();
}

void TForm1::mnuprintClick() {
    if (!env_.dialogs->choosePrinter(printer())) return;
    printPage(printer());
}

void TForm1::mnuprintersetClick() {
    if (!frmprnset) {
        frmprnset = new Tfrmprnset(marginsOf(settings), this);
        frmprnset->onPrinterSetup = [this] { env_.dialogs->setUpPage(printer()); };
    }
    runModal(*frmprnset);
    if (frmprnset->result() != QDialog::Accepted) return;
    const PrintMargins m = frmprnset->margins();
    settings.printTop = m.top;
    settings.printLeft = m.left;
    settings.printRight = m.right;
    if (auto error = settingsFile_.writePrintMargins(m.top, m.left, m.right))
        env_.dialogs->ask(MessageIcon::Error, Buttons::Ok, *error);
}

// The calendar steps aside while the preview shows its page.
void TForm1::printpreviewClick() {
    hideEditor();
    QPrinter& target = printer();
    const MonthPageSource source = pageSource();
    const PaperMetrics paper = paperOf(target);
    const PrintMargins margins = marginsOf(settings);
    // The picture is drawn once per zoom, not at every paint (scrolling).
    MonthPagePicture picture;
    Tfrmpreview preview(
        paper, ppi(), workArea,
        [&](QPainter& painter, int pixelsPerInch) {
            if (picture.pixelsPerInch != pixelsPerInch)
                picture = monthPagePicture(pixelsPerInch, paper.printable, margins, source);
            drawMonthPicture(painter, picture);
        },
        [this, &target] {
            // Printing from the preview asks nothing, unless nothing has been
            // chosen to print on yet.
            if (target.outputFormat() == QPrinter::PdfFormat && target.outputFileName().isEmpty() &&
                !env_.dialogs->choosePrinter(target))
                return;
            printPage(target);
        },
        this);
    preview.setZoom(50);
    hide();
    runModal(preview);
    FormResize();
    show();
}

// The page printing would give, as a PDF file on the page setup's paper.
// The page is drawn into a private scratch folder first and then written
// where the user chose as the month files are: whole or not at all, and a
// new file readable by its owner only, as the memos in it are.
void TForm1::mnupdfClick() {
    hideEditor();
    std::optional<QString> path = env_.dialogs->pickSaveFile(
        japanese("PDFに保存"), proposedSavePath(Label1->text() + ".pdf"), japanese("PDF ファイル (*.pdf)"));
    if (!path) return;
    if (!path->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) *path += QStringLiteral(".pdf");
    const QTemporaryDir scratch;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(printer().pageLayout());
    pdf.setOutputFileName(scratch.filePath(QStringLiteral("page.pdf")));
    if (!scratch.isValid() || !printPage(pdf)) return;
    QFile page(pdf.outputFileName());
    const QByteArray bytes = page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
    const std::string shownPath = cp932Shown(QDir::toNativeSeparators(*path));
    if (bytes.isEmpty()) {
        env_.dialogs->ask(MessageIcon::Error, Buttons::Ok,
                          shownPath + cp932::literal(" に書き込めません。\r\nPDF を作る一時ファイルを読めませんでした。"));
        return;
    }
    if (std::optional<std::string> cause =
            writeExportFile(*env_.files, path->toStdString(), std::string_view(bytes.constData(), bytes.size())))
        env_.dialogs->ask(MessageIcon::Error, Buttons::Ok, shownPath + cp932::literal(" に書き込めません。\r\n") + *cause);
}

}  // namespace kelmora
