#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QtTest/QTest>
#include <vector>

#include "CtrlsEx/edit_ex.h"
#include "PdCtrls/focus_label.h"
#include "about/about_box.h"
#include "about/help_window.h"
#include "jump/jump_dialog.h"
#include "jump/up_down.h"
#include "main/cp932.h"
#include "main/prompts.h"
#include "textinput/memo_input_dialog.h"

namespace kelmora {
namespace {

class RecordingPrompts : public Prompts {
public:
    Answer ask(MessageIcon, Buttons, const std::string& text) override {
        texts.push_back(cp932::toUtf8(text));
        return Answer::Ok;
    }
    std::vector<std::string> texts;
};

TEST(JumpDialog, PresetsAreClampedAndShownGrouped) {
    const struct {
        int year, month;
        int shownYear, shownMonth;
        const char* yearText;
    } cases[] = {{1969, 0, 1970, 1, "1,970"},
                 {2101, 13, 2100, 12, "2,100"},
                 {2024, 5, 2024, 5, "2,024"},
                 {-5, -1, 1970, 1, "1,970"}};
    for (const auto& c : cases) {
        Tform_jump dialog;
        dialog.upyear->setPosition(c.year);
        dialog.upmonth->setPosition(c.month);
        EXPECT_EQ(dialog.upyear->Position(), c.shownYear) << c.year;
        EXPECT_EQ(dialog.upmonth->Position(), c.shownMonth) << c.month;
        EXPECT_EQ(dialog.EditEx1->QLineEdit::text().toStdString(), c.yearText);
        EXPECT_EQ(dialog.EditEx2->QLineEdit::text(), QString::number(c.shownMonth));
    }
}

TEST(JumpDialog, MonthWrapsWithoutTouchingTheYearAndTheYearStops) {
    Tform_jump dialog;
    dialog.upyear->setPosition(2100);
    dialog.upmonth->setPosition(12);
    dialog.show();
    QTest::keyClick(dialog.EditEx2, Qt::Key_Up);
    EXPECT_EQ(dialog.upmonth->Position(), 1);
    EXPECT_EQ(dialog.EditEx2->QLineEdit::text(), QStringLiteral("1"));
    QTest::keyClick(dialog.EditEx2, Qt::Key_Down);
    EXPECT_EQ(dialog.upmonth->Position(), 12);
    QTest::keyClick(dialog.EditEx1, Qt::Key_Up);
    EXPECT_EQ(dialog.upyear->Position(), 2100);  // no wrap for the year
    QTest::keyClick(dialog.EditEx1, Qt::Key_Down);
    EXPECT_EQ(dialog.upyear->Position(), 2099);

    // Numbers cannot be typed.
    QTest::keyClicks(dialog.EditEx1, QStringLiteral("1"));
    EXPECT_EQ(dialog.EditEx1->QLineEdit::text(), QStringLiteral("2,099"));
    EXPECT_EQ(dialog.upyear->Position(), 2099);
}

TEST(JumpDialog, OnlyOkConfirms) {
    enum Close { CancelButton, EscapeKey, EnterAtOnce, CloseBox, OkButton };
    for (Close how : {CancelButton, EscapeKey, EnterAtOnce, CloseBox, OkButton}) {
        Tform_jump dialog;
        dialog.jumpConfirmed = true;  // left from an earlier showing
        dialog.upyear->setPosition(2024);
        dialog.open();
        EXPECT_FALSE(dialog.jumpConfirmed);
        EXPECT_EQ(dialog.focusWidget(), dialog.cancel);
        switch (how) {
            case CancelButton: QTest::mouseClick(dialog.cancel, Qt::LeftButton); break;
            case EscapeKey: QTest::keyClick(&dialog, Qt::Key_Escape); break;
            case EnterAtOnce: QTest::keyClick(dialog.focusWidget(), Qt::Key_Return); break;
            case CloseBox: dialog.close(); break;
            case OkButton:
                dialog.upyear->stepBy(1);
                QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
                break;
        }
        EXPECT_FALSE(dialog.isVisible()) << how;
        EXPECT_EQ(dialog.jumpConfirmed, how == OkButton) << how;
    }
}

TEST(JumpDialog, GeometryAndCaption) {
    Tform_jump dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("年月指定ジャンプ"));
    EXPECT_EQ(dialog.size(), QSize(256, 124));
    EXPECT_EQ(dialog.EditEx1->geometry(), QRect(80, 10, 73, 27));
    EXPECT_EQ(dialog.EditEx2->geometry(), QRect(96, 42, 57, 27));
    EXPECT_TRUE(dialog.EditEx1->isReadOnly());
    EXPECT_TRUE(dialog.BitBtn2->isDefault());
}

// Japanese text arrives as an input method's commit.
void commitText(QWidget* widget, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(widget, &commit);
}

TEST(Dialogs, OpenCentredOnTheScreenNotOverTheOwner) {
    QWidget owner;
    owner.setGeometry(0, 0, 120, 80);
    owner.show();
    RecordingPrompts prompts;
    Tform_jump jump(&owner);
    TForm3 memo(prompts, &owner);
    Tfrmversion about(QStringLiteral("/tmp/kelmora"), &owner);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&jump, &memo, &about}) {
        dialog->open();
        const QPoint middle = dialog->screen()->availableGeometry().center();
        EXPECT_NEAR(dialog->frameGeometry().center().x(), middle.x(), 2) << dialog->windowTitle().toStdString();
        EXPECT_NEAR(dialog->frameGeometry().center().y(), middle.y(), 2) << dialog->windowTitle().toStdString();
        dialog->reject();
    }
}

struct MemoDialog {
    RecordingPrompts prompts;
    TForm3 dialog{prompts};
    MemoDialog() {
        dialog.prepare(100);
        dialog.open();
    }
};

TEST(MemoInputDialog, MultiLineTextComesBackWithItsLineBreaks) {
    MemoDialog m;
    commitText(m.dialog.Memoadd, QString::fromUtf8("会議"));
    QTest::keyClick(m.dialog.Memoadd, Qt::Key_Return);  // a line break, not OK
    EXPECT_TRUE(m.dialog.isVisible());
    commitText(m.dialog.Memoadd, QString::fromUtf8("10時〜"));
    QTest::mouseClick(m.dialog.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(m.dialog.isVisible());
    EXPECT_EQ(m.dialog.memoText(), cp932::literal("会議\r\n10時～"));
}

TEST(MemoInputDialog, CancelAndEscapeEmptyTheCloseBoxKeeps) {
    enum Close { CancelButton, EscapeKey, CloseBox };
    for (Close how : {CancelButton, EscapeKey, CloseBox}) {
        MemoDialog m;
        QTest::keyClicks(m.dialog.Memoadd, QStringLiteral("abc"));
        switch (how) {
            case CancelButton: QTest::mouseClick(m.dialog.BitBtn2, Qt::LeftButton); break;
            case EscapeKey: QTest::keyClick(m.dialog.Memoadd, Qt::Key_Escape); break;
            case CloseBox: m.dialog.close(); break;
        }
        EXPECT_FALSE(m.dialog.isVisible()) << how;
        EXPECT_EQ(m.dialog.memoText(), how == CloseBox ? "abc" : "") << how;
    }
}

TEST(MemoInputDialog, RefusesCharactersAMonthFileCannotHold) {
    MemoDialog m;
    m.dialog.Memoadd->setPlainText(QString::fromUtf8("旅行😀"));
    QTest::mouseClick(m.dialog.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(m.dialog.isVisible());
    ASSERT_EQ(m.prompts.texts.size(), 1u);
    EXPECT_NE(m.prompts.texts[0].find("U+1F600"), std::string::npos) << m.prompts.texts[0];
    m.dialog.Memoadd->setPlainText(QString::fromUtf8("旅行"));
    QTest::mouseClick(m.dialog.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(m.dialog.isVisible());
    EXPECT_EQ(m.dialog.memoText(), cp932::literal("旅行"));
}

TEST(MemoInputDialog, PreparedWidthAndTheMemoFont) {
    RecordingPrompts prompts;
    TForm3 dialog(prompts);
    dialog.Memoadd->setPlainText(QStringLiteral("old"));
    dialog.prepare(100);
    EXPECT_EQ(dialog.Memoadd->toPlainText(), QString());
    EXPECT_EQ(dialog.Memoadd->width(), 100);
    EXPECT_EQ(dialog.Memoadd->x(), (TForm3::kClientWidth - 100) / 2);
    dialog.prepare(200);  // wider than the dialog: it grows to show the whole box
    EXPECT_GE(dialog.width(), 202);
    EXPECT_GE(dialog.Memoadd->x(), 0);

    QFont memoFont(QString::fromUtf8("ＭＳ Ｐ明朝"));
    memoFont.setPixelSize(21);
    memoFont.setItalic(true);
    dialog.setMemoFont(memoFont);
    dialog.open();
    EXPECT_EQ(dialog.Memoadd->font().family(), memoFont.family());
    EXPECT_EQ(dialog.Memoadd->font().pixelSize(), 21);
    EXPECT_TRUE(dialog.Memoadd->font().italic());
    dialog.reject();
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST(AboutBox, LinkOpensTheHomePageAndTurnsPurple) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    Tfrmversion about(QStringLiteral("/home/aki/.local/share/kelmora/"));
    about.show();
    // The project's version, as the package carries it.
    EXPECT_EQ(about.Label2->text(), QString::fromUtf8("version　") + QStringLiteral(KELMORA_PROJECT_VERSION));
    EXPECT_EQ(about.Label5->pos(), QPoint(64, 152));
    EXPECT_EQ(about.Label5->FontColor(), QColor(0, 0, 255));
    QTest::mouseClick(about.Label5, Qt::LeftButton, {}, about.Label5->textRect().center());
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1u);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("https://kelmora.jp/")));
    EXPECT_EQ(about.Label5->FontColor(), QColor(0x80, 0x00, 0x80));

    QTest::mouseClick(about.Button1, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

// The whole folder when it fits, its two ends when it does not; the whole
// name is in the tip and can be selected.
TEST(AboutBox, NamesTheDataFolder) {
    const QString deep = QStringLiteral("/media/aki/USB/") + QString(60, QLatin1Char('x')) + QStringLiteral("/kelmora/");
    for (const QString& folder : {QStringLiteral("/home/aki/.local/share/kelmora/"), deep}) {
        Tfrmversion about(folder);
        about.show();
        const QString shown = about.Label7->text();
        EXPECT_EQ(about.Label7->toolTip(), folder);
        EXPECT_LE(about.Label7->geometry().right(), about.Panel1->contentsRect().right());
        EXPECT_GT(about.Label7->y(), about.Label5->geometry().bottom());
        EXPECT_LT(about.Panel1->geometry().bottom(), about.Button1->y());
        if (folder == deep) {
            EXPECT_TRUE(shown.startsWith(QStringLiteral("/media/aki/")) && shown.endsWith(QStringLiteral("/kelmora/")) &&
                        shown.contains(QChar(0x2026)))
                << shown.toStdString();
        } else {
            EXPECT_EQ(shown, folder);
        }
        EXPECT_TRUE(about.Label7->textInteractionFlags() & Qt::TextSelectableByMouse);
    }
}

// The page names the folder in use, as text (a "<" in it stays a "<").
TEST(HelpWindow, OpensTheFileAndNamesTheDataFolder) {
    QTemporaryDir dir;
    QFile help(dir.filePath(QStringLiteral("kelmora.hlp")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write(QString::fromUtf8("<h1>メモの書き方</h1><a href=\"#keys\">キー操作</a><p>本文</p>"
                                 "<p>データ: <b><!--data-folder--></b></p>"
                                 "<h2><a name=\"keys\"></a>キー操作</h2>")
                   .toUtf8());
    help.close();
    RecordingPrompts prompts;
    QWidget owner;
    const QString data = QStringLiteral("/home/aki/<my>/kelmora/");
    QWidget* window = showHelpContents(&owner, help.fileName(), data, prompts);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(prompts.texts.empty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    auto* browser = window->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf8("メモの書き方")));
    EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf8("データ: ") + data)) << browser->toPlainText().toStdString();
    browser->setSource(QUrl(QStringLiteral("#keys")));  // a contents link stays in the page
    EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf8("本文")));
    EXPECT_EQ(showHelpContents(&owner, help.fileName(), data, prompts), window);  // reused
}

// Beside the calendar where the work area has room, centred on it where it
// has none; never over the calendar's menu bar at the screen's corner.
TEST(HelpWindow, OpensBesideTheCalendarAndClosesWithEscapeOrItsButton) {
    QTemporaryDir dir;
    QFile help(dir.filePath(QStringLiteral("kelmora.hlp")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("<h1>help</h1>");
    help.close();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    enum Side { Right, Left, Centred };
    struct Case {
        QRect calendar;
        Side side;
    };
    const Case cases[] = {
        {QRect(area.left() + 20, area.top() + 40, 150, 100), Right},
        {QRect(area.right() - 170, area.top() + 40, 150, 100), Left},
        {QRect(area.left() + 10, area.top() + 10, area.width() - 20, area.height() - 20), Centred},
    };
    enum Close { EscapeKey, CloseButton };
    for (const Case& c : cases) {
        for (Close how : {EscapeKey, CloseButton}) {
            RecordingPrompts prompts;
            QWidget calendar;
            calendar.setGeometry(c.calendar);
            calendar.show();
            QPointer<QWidget> window = showHelpContents(&calendar, help.fileName(), dir.path(), prompts);
            ASSERT_NE(window, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
            const QRect at = window->frameGeometry(), owner = calendar.frameGeometry();
            EXPECT_TRUE(area.contains(at)) << c.side;
            switch (c.side) {
                case Right: EXPECT_EQ(at.topLeft(), QPoint(owner.right() + 1, owner.top())); break;
                case Left: EXPECT_EQ(at.topRight(), QPoint(owner.left() - 1, owner.top())); break;
                case Centred: EXPECT_LE((at.center() - owner.center()).manhattanLength(), 2) << c.side; break;
            }
            if (how == EscapeKey) {
                QTest::keyClick(window->findChild<QTextBrowser*>(), Qt::Key_Escape);
            } else {
                auto* button = window->findChild<QPushButton*>(QStringLiteral("helpClose"));
                ASSERT_NE(button, nullptr);
                EXPECT_EQ(button->text(), QString::fromUtf8("閉じる"));
                QTest::mouseClick(button, Qt::LeftButton);
            }
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(window.isNull()) << c.side << " closed by " << how;
        }
    }
}

TEST(HelpWindow, MissingFileIsReported) {
    QTemporaryDir dir;
    RecordingPrompts prompts;
    const QString missing = dir.filePath(QStringLiteral("share/kelmora/kelmora.hlp"));
    EXPECT_EQ(showHelpContents(nullptr, missing, dir.path(), prompts), nullptr);
    ASSERT_EQ(prompts.texts.size(), 1u);
    EXPECT_NE(prompts.texts[0].find(missing.toStdString()), std::string::npos) << "the message names where it looked";
}

}  // namespace
}  // namespace kelmora

#include "dialogs_test.moc"
