#include "settei/legacy_settings.h"

#include <cstring>

#include "main/cp932.h"
#include "settei/settings_file.h"

namespace kelmora {
namespace {

// Little-endian fields, one after another. Once a field runs past the end of
// the file, it and every later one read as absent.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    bool u8(std::uint8_t& value) {
        std::uint32_t v;
        if (!take(1, v)) return false;
        value = static_cast<std::uint8_t>(v);
        return true;
    }
    bool u16(std::uint16_t& value) {
        std::uint32_t v;
        if (!take(2, v)) return false;
        value = static_cast<std::uint16_t>(v);
        return true;
    }
    bool i32(std::int32_t& value) {
        std::uint32_t v;
        if (!take(4, v)) return false;
        value = static_cast<std::int32_t>(v);
        return true;
    }
    bool colour(Colour& value) {
        std::uint32_t v;
        if (!take(4, v)) return false;
        value = v;
        return true;
    }
    // A u16 length and that many bytes.
    bool string(std::string& value) {
        std::uint16_t length;
        if (!u16(length) || !fits(length)) return fail();
        value.assign(bytes_.substr(pos_, length));
        pos_ += length;
        return true;
    }
    bool skip(std::size_t count) {
        if (!fits(count)) return fail();
        pos_ += count;
        return true;
    }

private:
    bool fits(std::size_t count) const { return ok_ && bytes_.size() - pos_ >= count; }
    bool fail() { return ok_ = false; }
    bool take(std::size_t width, std::uint32_t& value) {
        if (!fits(width)) return fail();
        value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
        pos_ += width;
        return true;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

constexpr std::uint8_t kStyleMask = StyleBold | StyleItalic | StyleUnderline | StyleStrikeOut;
constexpr std::uint16_t kLeastMemoHeight = 30;

// A text position code other than 0, 1, 2 leaves the position at left.
std::int32_t textPosition(std::uint8_t code) { return code <= 2 ? code : 0; }

// Size and style of a font record (8 bytes: size, style, 3 padding bytes).
void readFontRecord(FieldReader& in, Tfontset& font) {
    std::int32_t size;
    std::uint8_t style;
    if (in.i32(size)) font.size = size;
    if (in.u8(style)) font.style = style & kStyleMask;
    in.skip(3);
}

// The window's values before any settings are loaded, for what the legacy
// file does not carry.
Settings preLoadSettings() {
    Settings s = defaultSettings();
    s.windowColour = kSystemButtonFace;
    s.trayResidence = false;
    s.mondayStart = false;
    s.date.holiname = false;
    s.header.bkrinsetu = 0;
    s.printTop = s.printLeft = s.printRight = 0;
    return s;
}

}  // namespace

LegacySettings parseLegacySettings(std::string_view bytes) {
    LegacySettings result{preLoadSettings(), std::nullopt, std::nullopt};
    Settings& s = result.settings;
    FieldReader in(bytes);
    std::int32_t i;
    std::uint16_t w;
    std::uint8_t b;
    std::string text;

    std::uint16_t version = 0;
    const bool hasVersion = in.u16(version);
    if (in.i32(i)) s.left = i;
    if (in.i32(i)) s.top = i;
    if (in.i32(i)) result.windowHeight = i;
    if (in.i32(i)) result.windowWidth = i;
    if (in.u8(b)) s.toolbar = b != 0;
    if (in.string(text)) s.title.name = text;
    if (in.i32(i)) s.title.size = i;
    if (in.u8(b)) s.title.style = b & kStyleMask;
    in.colour(s.title.colour);
    if (in.i32(i)) s.memo.width = i;
    in.skip(4);
    if (in.u16(w)) s.memo.height = w < kLeastMemoHeight ? kLeastMemoHeight : w;
    if (in.u8(b)) s.header.textpos = textPosition(b);
    if (in.u8(b)) s.date.textpos = textPosition(b);
    readFontRecord(in, s.header.font);
    readFontRecord(in, s.date.font);
    readFontRecord(in, s.memo.font);
    if (in.string(text)) s.header.font.name = text;
    if (in.string(text)) s.date.font.name = text;
    if (in.string(text)) s.memo.font.name = text;
    in.colour(s.header.font.colour1);
    in.colour(s.header.font.colour2);
    in.colour(s.date.font.colour1);
    in.colour(s.date.font.colour2);
    in.colour(s.memo.font.colour1);
    in.colour(s.memo.font.colour2);
    in.skip(8);
    in.colour(s.header.bkcolor1);
    in.colour(s.header.bkcolor2);
    in.colour(s.date.bkcolor1);
    in.colour(s.date.bkcolor2);
    in.colour(s.memo.bkcolor1);
    in.colour(s.memo.bkcolor2);
    if (in.u8(b)) s.deleteOldFiles = b != 0;
    in.u16(s.keepMonths);
    in.skip(1);

    s.deleteWarning = true;

    // Files of a version after 13 are read as version 13.
    if (hasVersion && version == 10) {
        s.date.bkrinsetu = 0x808080;
        s.memo.bkrinsetu = s.memo.bkcolor2;
        s.memo.font.colour3 = s.memo.font.colour2;
        s.todayColour = 0xFF0000;
        s.todayMark = true;
    } else {
        in.colour(s.date.bkrinsetu);
        in.colour(s.memo.bkrinsetu);
        in.colour(s.memo.font.colour3);
        in.colour(s.todayColour);
        if (in.u8(b)) s.todayMark = b != 0;
        in.skip(2 + 2 + 2 + 1 + 2);
    }

    if (hasVersion && version >= 13) {
        for (bool& day : s.weeklyHolidays)
            if (in.u8(b)) day = b != 0;
        in.skip(1);
    } else {
        s.weeklyHolidays = {true, false, false, false, false, false, false};
    }

    s.focusFrame = true;
    s.arrowColour = 0x008000;
    return result;
}

LegacySettingsFile::LegacySettingsFile(FileSystem& files, std::string programDir)
    : files_(files), programDir_(std::move(programDir)) {}

bool LegacySettingsFile::present() const { return files_.exists(path()); }

StartupSettings LegacySettingsFile::read() const {
    StartupSettings start;
    const ReadResult file = files_.readFile(path(), kMaxFileBytes);
    if (file.status != ReadResult::Ok) {
        // Nothing converted; the legacy file stays for the next start.
        start.settings = SettingsFile(files_, programDir_).load();
        start.error = cp932::literal("ﾌｧｲﾙ ") + path() + cp932::literal(" は開けません");
        return start;
    }
    LegacySettings legacy = parseLegacySettings(file.bytes);
    start.settings = std::move(legacy.settings);
    start.windowHeight = legacy.windowHeight;
    start.windowWidth = legacy.windowWidth;
    start.fromLegacyFile = true;
    return start;
}

StartupSettings LegacySettingsFile::convert() {
    StartupSettings start = read();
    if (!start.fromLegacyFile) return start;
    start.error = SettingsFile(files_, programDir_).writeMigratedKeys(start.settings);
    if (!start.error) files_.removeFile(path());
    return start;
}

StartupSettings loadStartupSettings(FileSystem& files, const std::string& programDir) {
    LegacySettingsFile legacy(files, programDir);
    if (legacy.present()) return legacy.convert();
    StartupSettings start;
    const SettingsFile settings(files, programDir);
    // Read once: the file's text gives the settings, its error the message.
    const ReadResult file = files.readFile(settings.path(), ProfileFile::kMaxFileBytes);
    if (file.status == ReadResult::Ok) {
        start.settings = SettingsFile::settingsFrom(ProfileDocument(file.bytes));
        return start;
    }
    if (files.exists(settings.path())) {
        start.settings = defaultSettings();
        start.error = cp932::literal("設定ファイル「") + pathForMessage(settings.path()) +
                      cp932::literal("」を読み込めません。\r\n原因: ") + describeFileError(file.error) +
                      cp932::literal("。\r\n既定の設定で起動します。ファイルを確かめ、要らなければ削除してください。");
        return start;
    }
    start.settings = defaultSettings();
    return start;
}

}  // namespace kelmora
