#include "platform/qt_text.h"

#include <QList>

#include "main/cp932.h"

namespace kelmora {

QString toQString(const std::string& cp932) {
    const std::u16string text = cp932::toUtf16(cp932);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> toCp932(const QString& text, QString* unencodable) {
    char32_t bad = 0;
    auto bytes = cp932::fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                      static_cast<std::size_t>(text.size())),
                                  &bad);
    if (!bytes && unencodable) *unencodable = QString::fromUcs4(&bad, 1);
    return bytes;
}

std::string cp932Of(const QString& text) { return toCp932(text).value_or(std::string()); }

std::string cp932Shown(const QString& text) {
    if (auto whole = toCp932(text)) return *whole;
    std::string shown;
    for (const char32_t ch : text.toUcs4()) shown += toCp932(QString::fromUcs4(&ch, 1)).value_or("?");
    return shown;
}

QString unicodeCodeOf(const QString& character) {
    const char32_t code = character.isEmpty() ? 0 : character.toUcs4().value(0);
    return QStringLiteral("U+") + QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

}  // namespace kelmora
