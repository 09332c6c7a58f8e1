#include "about/help_window.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

#include "main/cp932.h"
#include "main/prompts.h"
#include "platform/dialog_font.h"

namespace kelmora {

namespace {

QPointer<QWidget> openHelpWindow;

}  // namespace

QWidget* showHelpContents(QWidget* parent, const QString& programDir, Prompts& prompts) {
    const QString path = programDir + QString::fromLatin1(kHelpFileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompts.ask(MessageIcon::Information, Buttons::Ok,
                    cp932::literal("ヘルプファイル kelmora.hlp が見つかりません。\r\n"
                                   "プログラムと同じフォルダに kelmora.hlp を置いて下さい。"));
        return nullptr;
    }
    const QString page = QString::fromUtf8(file.readAll());

    QWidget* window = openHelpWindow;
    if (!window || window->parentWidget() != parent) {
        delete window;
        window = new QWidget(parent, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QString::fromUtf8("Kelmora ヘルプ"));
        window->resize(560, 600);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("helpText"));
        browser->setFont(dialogFont(14));
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
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
