#include "about/help_window.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

#include "main/cp932.h"
#include "main/prompts.h"
#include "platform/dialog_font.h"
#include "platform/qt_text.h"

namespace kelmora {

namespace {

QPointer<QWidget> openHelpWindow;

constexpr QSize kHelpSize(560, 600);

// Beside the calendar, on the side where the work area has room for it, so
// both can be read at once; centred on the calendar when neither side has.
// Always inside the work area.
void placeHelpWindow(QWidget* window, QWidget* owner) {
    const QScreen* screen = owner ? owner->screen() : window->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // The help window is not on the screen yet: its frame is taken to be
    // as wide as the calendar's.
    const QRect calendar = owner ? owner->frameGeometry() : area;
    const QSize decoration = owner ? calendar.size() - owner->size() : QSize();
    QSize inner = kHelpSize.boundedTo(area.size() - decoration);
    window->resize(inner);
    QRect frame(QPoint(), inner + decoration);
    if (owner && calendar.right() + frame.width() <= area.right())
        frame.moveTopLeft(QPoint(calendar.right() + 1, calendar.top()));
    else if (owner && calendar.left() - frame.width() >= area.left())
        frame.moveTopLeft(QPoint(calendar.left() - frame.width(), calendar.top()));
    else
        frame.moveCenter(calendar.center());
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    window->move(frame.topLeft());
}

QWidget* createHelpWindow(QWidget* parent) {
    auto* window = new QWidget(parent, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QString::fromUtf8("Kelmora ヘルプ"));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 6);
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("helpText"));
    browser->setFont(dialogFont(14));
    browser->setOpenExternalLinks(true);
    layout->addWidget(browser);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 0);
    buttons->addStretch();
    auto* close = new QPushButton(QString::fromUtf8("閉じる"), window);
    close->setObjectName(QStringLiteral("helpClose"));
    buttons->addWidget(close);
    layout->addLayout(buttons);
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
    browser->setFocus();
    return window;
}

}  // namespace

QWidget* showHelpContents(QWidget* parent, const QString& helpFile, const QString& dataFolder, Prompts& prompts) {
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly)) {
        prompts.ask(MessageIcon::Information, Buttons::Ok,
                    cp932::literal("ヘルプファイル ") + cp932Shown(QDir::toNativeSeparators(helpFile)) +
                        cp932::literal(" が見つかりません。\r\n"
                                       "そこに kelmora.hlp を置くか、Kelmora をインストールし直して下さい。"));
        return nullptr;
    }
    const QString page = QString::fromUtf8(file.readAll())
                             .replace(QString::fromLatin1(kDataFolderMark),
                                      QDir::toNativeSeparators(dataFolder).toHtmlEscaped());

    QWidget* window = openHelpWindow;
    if (!window || window->parentWidget() != parent) {
        delete window;
        window = createHelpWindow(parent);
        placeHelpWindow(window, parent ? parent->window() : nullptr);
        openHelpWindow = window;
    }
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpText"));
    browser->setHtml(page);
    browser->moveCursor(QTextCursor::Start);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace kelmora
