#include "platform/qt_text.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFont>

namespace kelmora {
namespace {

TEST(QtText, Cp932RoundTripAtTheEdge) {
    const std::string bytes = "\x97\x5C\x92\xE8\x81\x60";  // 予定～
    EXPECT_EQ(toQString(bytes), QString::fromUtf8("予定～"));
    EXPECT_EQ(toCp932(QString::fromUtf8("予定〜")), bytes);
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

}  // namespace
}  // namespace kelmora
