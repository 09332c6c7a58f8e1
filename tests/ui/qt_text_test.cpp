#include "platform/qt_text.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <memory>

#include "platform/qt_translations.h"

namespace kelmora {
namespace {

TEST(QtText, Cp932RoundTripAtTheEdge) {
    const std::string bytes = "\x97\x5C\x92\xE8\x81\x60";  // 予定〜
    // The wave dash reads back as this system's input methods type it.
    EXPECT_EQ(toQString(bytes), QString::fromUtf8("予定〜"));
    EXPECT_EQ(toCp932(QString::fromUtf8("予定〜")), bytes);
    EXPECT_EQ(toCp932(QString::fromUtf8("予定～")), bytes);
    QString bad;
    EXPECT_FALSE(toCp932(QString::fromUtf8("予定😀"), &bad));
    EXPECT_EQ(bad, QString::fromUtf8("😀"));
}

TEST(Fonts, WindowsFaceNamesResolveToJapaneseFaces) {
    for (const char* face : {"ＭＳ Ｐゴシック", "MS PGothic"}) {
        QFontInfo info(QFont(QString::fromUtf8(face), 12));
        EXPECT_TRUE(info.family().contains("Gothic", Qt::CaseInsensitive)) << info.family().toStdString();
    }
    QFontInfo mincho(QFont(QString::fromUtf8("ＭＳ Ｐ明朝"), 12));
    EXPECT_TRUE(mincho.family().contains("Mincho", Qt::CaseInsensitive)) << mincho.family().toStdString();
}

// Qt's colour picker, as "背景色変更..." opens it, speaks Japanese once the
// translations are installed; without them nothing changes.
TEST(QtTranslations, QtsOwnDialogsSpeakJapaneseWhenTheTranslationsAreThere) {
    const auto captions = [] {
        QColorDialog picker;
        auto* buttons = picker.findChild<QDialogButtonBox*>();
        return std::make_pair(picker.windowTitle(), buttons ? buttons->button(QDialogButtonBox::Cancel)->text() : QString());
    };
    QTemporaryDir empty;
    EXPECT_EQ(installQtJapanese(empty.path()), nullptr);
    EXPECT_EQ(captions(), std::make_pair(QStringLiteral("Select Color"), QStringLiteral("Cancel")));

    std::unique_ptr<QTranslator> japanese(installQtJapanese());
    ASSERT_NE(japanese, nullptr) << "qtbase_ja.qm is missing (qt6-translations-l10n)";
    const auto [title, cancel] = captions();
    QCoreApplication::removeTranslator(japanese.get());
    EXPECT_EQ(title, QString::fromUtf8("色を選択"));
    EXPECT_EQ(cancel, QString::fromUtf8("キャンセル"));
}

}  // namespace
}  // namespace kelmora
