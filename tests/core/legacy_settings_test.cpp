#include "settei/legacy_settings.h"

#include <gtest/gtest.h>

#include "main/cp932.h"
#include "settei/settings_file.h"
#include "legacy_settings_bytes.h"
#include "temp_folder.h"

namespace kelmora {
namespace {

using testing::TempFolder;
using testing::legacyFile;
using testing::LegacyFields;

TEST(LegacySettings, Version13CarriesEveryField) {
    const LegacySettings legacy = parseLegacySettings(legacyFile(13));
    const Settings& s = legacy.settings;
    EXPECT_EQ(s.left, 120);
    EXPECT_EQ(s.top, -5);
    EXPECT_EQ(legacy.windowHeight, 480);
    EXPECT_EQ(legacy.windowWidth, 730);
    EXPECT_FALSE(s.toolbar);
    EXPECT_EQ(s.title, (TitleFont{22, cp932::literal("ＭＳ 明朝"), 0x000080, StyleBold | StyleUnderline}));
    EXPECT_EQ(s.memo.width, 140);
    EXPECT_EQ(s.memo.height, 55);
    EXPECT_EQ(s.header.textpos, 2);
    EXPECT_EQ(s.date.textpos, 1);
    EXPECT_EQ(s.header.font, (Tfontset{10, "Header", StyleItalic, 1, 2, 0}));
    EXPECT_EQ(s.date.font, (Tfontset{11, "Date", StyleBold | StyleStrikeOut, 3, 4, 0}));
    EXPECT_EQ(s.memo.font, (Tfontset{12, cp932::literal("メモ"), StyleUnderline, 5, 6, 0x23}));
    EXPECT_EQ(s.header.bkcolor1, 0x11u);
    EXPECT_EQ(s.header.bkcolor2, 0x12u);
    EXPECT_EQ(s.date.bkcolor1, 0x13u);
    EXPECT_EQ(s.date.bkcolor2, 0x14u);
    EXPECT_EQ(s.memo.bkcolor1, 0x15u);
    EXPECT_EQ(s.memo.bkcolor2, 0x16u);
    EXPECT_TRUE(s.deleteOldFiles);
    EXPECT_EQ(s.keepMonths, 5);
    EXPECT_EQ(s.date.bkrinsetu, 0x21u);
    EXPECT_EQ(s.memo.bkrinsetu, 0x22u);
    EXPECT_EQ(s.todayColour, 0x24u);
    EXPECT_FALSE(s.todayMark);
    EXPECT_EQ(s.weeklyHolidays, (std::array<bool, 7>{false, true, false, false, false, true, true}));
    // Set by the conversion itself, or kept from before loading.
    EXPECT_TRUE(s.focusFrame);
    EXPECT_EQ(s.arrowColour, 0x008000u);
    EXPECT_TRUE(s.deleteWarning);
    EXPECT_EQ(s.windowColour, kSystemButtonFace);
    EXPECT_FALSE(s.trayResidence);
    EXPECT_FALSE(s.mondayStart);
    EXPECT_FALSE(s.date.holiname);
    EXPECT_EQ(s.header.bkrinsetu, 0u);
    EXPECT_EQ(s.printTop + s.printLeft + s.printRight, 0);
}

TEST(LegacySettings, OlderVersionsLackTheLaterFields) {
    const Settings v12 = parseLegacySettings(legacyFile(12)).settings;
    EXPECT_EQ(v12.date.bkrinsetu, 0x21u);
    EXPECT_EQ(v12.memo.font.colour3, 0x23u);
    EXPECT_FALSE(v12.todayMark);
    EXPECT_EQ(v12.weeklyHolidays, (std::array<bool, 7>{true, false, false, false, false, false, false}));

    const Settings v10 = parseLegacySettings(legacyFile(10)).settings;
    EXPECT_EQ(v10.date.bkrinsetu, 0x808080u);
    EXPECT_EQ(v10.memo.bkrinsetu, 0x16u);      // the memo weekday background
    EXPECT_EQ(v10.memo.font.colour3, 6u);      // the memo weekday text colour
    EXPECT_EQ(v10.todayColour, 0xFF0000u);
    EXPECT_TRUE(v10.todayMark);
    EXPECT_EQ(v10.weeklyHolidays, (std::array<bool, 7>{true, false, false, false, false, false, false}));
    EXPECT_EQ(v10.keepMonths, 5);

    // A later version is read as version 13.
    EXPECT_EQ(parseLegacySettings(legacyFile(14)).settings, parseLegacySettings(legacyFile(13)).settings);
}

TEST(LegacySettings, MemoHeightAndTextPositionsAreKeptInRange) {
    struct Case {
        unsigned height, headerPos, datePos;
        int wantHeight, wantHeaderPos, wantDatePos;
    } cases[] = {{20, 3, 2, 30, 0, 2}, {29, 0, 255, 30, 0, 0}, {30, 1, 1, 30, 1, 1}, {31, 2, 0, 31, 2, 0}};
    for (const Case& c : cases) {
        const Settings s = parseLegacySettings(legacyFile(13, {c.height, c.headerPos, c.datePos})).settings;
        EXPECT_EQ(s.memo.height, c.wantHeight) << c.height;
        EXPECT_EQ(s.header.textpos, c.wantHeaderPos) << c.headerPos;
        EXPECT_EQ(s.date.textpos, c.wantDatePos) << c.datePos;
    }
}

TEST(LegacySettings, TruncatedFileKeepsDefaultsForTheMissingFields) {
    const std::string whole = legacyFile(13);
    const Settings defaults = defaultSettings();

    // Cut inside the title font's name (after version, window, toolbar and the length).
    const LegacySettings cutInName = parseLegacySettings(whole.substr(0, 2 + 16 + 1 + 2 + 3));
    EXPECT_EQ(cutInName.settings.left, 120);
    EXPECT_EQ(cutInName.windowWidth, 730);
    EXPECT_FALSE(cutInName.settings.toolbar);
    EXPECT_EQ(cutInName.settings.title, defaults.title);
    EXPECT_EQ(cutInName.settings.memo, defaults.memo);
    EXPECT_EQ(cutInName.settings.weeklyHolidays, defaults.weeklyHolidays);

    // Cut in the middle of the weekly holidays: the days read count.
    const Settings cutInWeek = parseLegacySettings(whole.substr(0, whole.size() - 4)).settings;
    EXPECT_EQ(cutInWeek.todayColour, 0x24u);
    EXPECT_EQ(cutInWeek.weeklyHolidays, (std::array<bool, 7>{false, true, false, false, false, false, false}));

    // Nothing at all: every default, with the window's own values for what
    // the legacy file never carries.
    const LegacySettings empty = parseLegacySettings("");
    EXPECT_EQ(empty.windowHeight, std::nullopt);
    Settings expected = defaults;
    expected.windowColour = kSystemButtonFace;
    expected.date.holiname = false;
    expected.printTop = expected.printLeft = expected.printRight = 0;
    EXPECT_EQ(empty.settings, expected);
}

struct ConversionTest : ::testing::Test {
    TempFolder folder;
    RealFileSystem files;
    std::string iniLine(const std::string& section, const std::string& key) {
        RealFileSystem fs;
        return ProfileFile(fs, folder.file("kelmora.ini")).read(section, key).value_or("<none>");
    }
};

TEST_F(ConversionTest, WritesTheSettingsFileAndDeletesTheLegacyFile) {
    folder.put("kelmora.wst", legacyFile(13));
    // A settings file already there is not read by a converting start.
    folder.put("kelmora.ini", "[form]\r\njouchuu=1\r\n[memo]\r\nwidth=77\r\n");
    const StartupSettings start = loadStartupSettings(files, folder.dir());
    EXPECT_EQ(start.error, std::nullopt);
    EXPECT_TRUE(start.fromLegacyFile);
    EXPECT_FALSE(folder.has("kelmora.wst"));
    EXPECT_FALSE(start.settings.trayResidence);
    EXPECT_EQ(start.settings.memo.width, 140);
    EXPECT_EQ(start.windowHeight, 480);

    EXPECT_EQ(iniLine("form", "focus"), "1");
    EXPECT_EQ(iniLine("today", "yjcolor"), "clGreen");
    EXPECT_EQ(iniLine("nen", "yohakucolor"), "clBtnFace");
    EXPECT_EQ(iniLine("nen", "fontcolor"), "clMaroon");
    EXPECT_EQ(iniLine("memo", "width"), "140");
    EXPECT_EQ(iniLine("form", "top"), "-5");
    EXPECT_EQ(iniLine("form", "jouchuu"), "1");  // not a key the conversion writes
    EXPECT_EQ(iniLine("day", "holiname"), "<none>");

    // The next start reads the settings file.
    const StartupSettings next = loadStartupSettings(files, folder.dir());
    EXPECT_FALSE(next.fromLegacyFile);
    EXPECT_EQ(next.settings.memo.width, 140);
    EXPECT_TRUE(next.settings.date.holiname);  // its default from now on
    EXPECT_EQ(next.settings.title.size, 22);
}

TEST_F(ConversionTest, FailedWriteKeepsTheLegacyFileAndTheSettingsRead) {
    folder.put("kelmora.wst", legacyFile(12));
    folder.put("kelmora.ini", "");
    folder.makeReadOnly("kelmora.ini");
    const StartupSettings start = loadStartupSettings(files, folder.dir());
    ASSERT_TRUE(start.error.has_value());
    EXPECT_EQ(cp932::toUtf8(*start.error), folder.file("kelmora.ini") + " に書き込めません");
    EXPECT_TRUE(folder.has("kelmora.wst"));
    EXPECT_EQ(folder.get("kelmora.ini"), "");
    EXPECT_EQ(start.settings, parseLegacySettings(legacyFile(12)).settings);
}

class LegacyUnopenable : public RealFileSystem {
public:
    ReadResult readFile(const std::string& path, std::size_t maxBytes) const override {
        if (path.ends_with(".wst")) return {ReadResult::CannotOpen, {}, {FileProblem::NoPermission}};
        return RealFileSystem::readFile(path, maxBytes);
    }
};

TEST_F(ConversionTest, UnopenableLegacyFileStaysAndTheSettingsFileIsLoaded) {
    folder.put("kelmora.wst", legacyFile(13));
    folder.put("kelmora.ini", "[memo]\r\nwidth=77\r\n");
    LegacyUnopenable unopenable;
    const StartupSettings start = loadStartupSettings(unopenable, folder.dir());
    ASSERT_TRUE(start.error.has_value());
    EXPECT_EQ(cp932::toUtf8(*start.error), "ﾌｧｲﾙ " + folder.file("kelmora.wst") + " は開けません");
    EXPECT_TRUE(folder.has("kelmora.wst"));
    EXPECT_FALSE(start.fromLegacyFile);
    EXPECT_EQ(start.settings.memo.width, 77);
    EXPECT_EQ(folder.get("kelmora.ini"), "[memo]\r\nwidth=77\r\n");
}

TEST_F(ConversionTest, ReadingOnlyLeavesBothFilesAlone) {
    folder.put("kelmora.wst", legacyFile(10));
    const StartupSettings start = LegacySettingsFile(files, folder.dir()).read();
    EXPECT_TRUE(start.fromLegacyFile);
    EXPECT_EQ(start.settings.todayColour, 0xFF0000u);
    EXPECT_TRUE(folder.has("kelmora.wst"));
    EXPECT_FALSE(folder.has("kelmora.ini"));
}

}  // namespace
}  // namespace kelmora
