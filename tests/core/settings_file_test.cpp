#include "settei/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "main/cp932.h"
#include "recording_files.h"
#include "temp_folder.h"

namespace kelmora {
namespace {

using testing::RecordingFiles;
using testing::TempFolder;

// "section/key" of every key line, in file order.
std::vector<std::string> keysInFileOrder(const std::string& bytes) {
    std::vector<std::string> keys;
    std::string section;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 2;
        if (!line.empty() && line.front() == '[') section = line.substr(1, line.size() - 2);
        else if (auto eq = line.find('='); eq != std::string::npos) keys.push_back(section + "/" + line.substr(0, eq));
    }
    return keys;
}

struct SettingsFileTest : ::testing::Test {
    TempFolder folder;
    RealFileSystem files;
    SettingsFile settings{files, folder.dir()};
};

TEST_F(SettingsFileTest, MissingFileGivesEveryDefault) {
    const Settings s = settings.load();
    EXPECT_EQ(s, defaultSettings());
    // The calendar's look without a settings file.
    EXPECT_EQ(s.title.name, cp932::literal("ＭＳ Ｐ明朝"));
    EXPECT_EQ(s.title.size, 16);
    EXPECT_EQ(s.title.style, StyleBold | StyleItalic);
    EXPECT_EQ(s.title.colour, 0x000000u);
    EXPECT_EQ(s.windowColour, 0xFFFF80u);
    EXPECT_EQ(s.header.bkcolor1, 0x0000FFu);
    EXPECT_EQ(s.header.bkcolor2, 0x808000u);
    EXPECT_EQ(s.weeklyHolidays, (std::array<bool, 7>{true, false, false, false, false, false, false}));
    EXPECT_EQ(s.memo.width, 100);
    EXPECT_EQ(s.memo.height, 60);
    EXPECT_FALSE(folder.has("kelmora.ini"));
}

TEST_F(SettingsFileTest, HandEditedValuesLoadByTheirTextForms) {
    folder.put("kelmora.ini",
               "[NEN]\r\nFontSize=0x10\r\nfontcolor=CLRED\r\nstylebold=0\r\nstyleuline=2\r\n"
               "yohakucolor=not a colour\r\n"
               "[youbi]\r\nfontsize=0x\r\nbkcolor1=$00030201\r\nbkcolor2=255\r\ntextpos=7\r\n"
               "[memo]\r\nheight=10\r\nwidth=abc\r\nfontname=\"IPA Gothic\"\r\nbkcolor1=$0000000FF\r\n"
               "[delfile]\r\nmonth=65537\r\nwarning=0\r\n"
               "[weekholi]\r\n0=0\r\n6=1\r\n"
               "[print]\r\nleft=-4\r\n");
    const Settings s = settings.load();
    EXPECT_EQ(s.title.size, 16);                              // 0x10
    EXPECT_EQ(s.title.colour, 0x0000FFu);
    EXPECT_EQ(s.title.style, StyleItalic | StyleUnderline);   // bold off, underline "2" on, italic default
    EXPECT_EQ(s.windowColour, 0xFFFF80u);                     // not a colour: the default
    EXPECT_EQ(s.header.font.size, 9);                         // "0x" is no number
    EXPECT_EQ(s.header.bkcolor1, rgb(1, 2, 3));
    EXPECT_EQ(s.header.bkcolor2, 0x0000FFu);
    EXPECT_EQ(s.header.textpos, 7);                           // used as it is
    EXPECT_EQ(s.memo.height, 10);
    EXPECT_EQ(s.memo.width, 100);
    EXPECT_EQ(s.memo.font.name, "IPA Gothic");                // without its quotes
    EXPECT_EQ(s.memo.bkcolor1, 0x0000FFu);                    // nine digits, the first a zero
    EXPECT_EQ(s.keepMonths, 1);                               // kept in 16 bits
    EXPECT_FALSE(s.deleteWarning);
    EXPECT_EQ(s.weeklyHolidays, (std::array<bool, 7>{false, false, false, false, false, false, true}));
    EXPECT_EQ(s.printLeft, -4);
    EXPECT_EQ(s.printTop, 2);
}

Settings changedSettings() {
    Settings s = defaultSettings();
    s.trayResidence = s.mondayStart = true;
    s.title = TitleFont{20, "IPAMincho", rgb(1, 2, 3), StyleUnderline | StyleStrikeOut};
    s.windowColour = kSystemButtonFace;
    s.header.bkcolor1 = 0x00FF00;
    s.header.font = Tfontset{11, cp932::literal("游ゴシック"), StyleItalic, 0xFFFFFF, 0x800000, 0};
    s.header.textpos = 2;
    s.date.bkrinsetu = 0x123456;
    s.date.font.size = 12;
    s.date.textpos = 1;
    s.date.holiname = false;
    s.memo.width = 150;
    s.memo.height = 45;
    s.memo.font.colour3 = 0xC0C0C0;
    s.memo.font.style = StyleBold;
    s.todayMark = false;
    s.todayColour = 0x00FFFF;
    s.arrowColour = 0x800080;
    s.weeklyHolidays = {true, false, false, false, false, false, true};
    s.deleteOldFiles = true;
    s.keepMonths = 11;
    return s;
}

TEST_F(SettingsFileTest, DialogKeysRoundTripAndLeaveTheOtherGroupsAlone) {
    const Settings changed = changedSettings();
    ASSERT_EQ(settings.writeDialogKeys(changed), std::nullopt);
    Settings expected = changed;  // the dialog writes none of these
    const Settings defaults = defaultSettings();
    expected.toolbar = defaults.toolbar;
    expected.focusFrame = defaults.focusFrame;
    expected.top = defaults.top;
    expected.left = defaults.left;
    expected.deleteWarning = defaults.deleteWarning;
    Settings loaded = settings.load();
    EXPECT_EQ(loaded, expected);

    const std::string file = folder.get("kelmora.ini");
    EXPECT_NE(file.find("[nen]\r\nfontsize=20\r\nfontname=IPAMincho\r\nstylebold=0\r\nstyleitalic=0\r\n"
                        "styleuline=1\r\nstylesout=1\r\nfontcolor=$00030201\r\nyohakucolor=clBtnFace\r\n"),
              std::string::npos)
        << file;
}

TEST_F(SettingsFileTest, DialogAndMigrationWriteTheirKeysInOrder) {
    const std::vector<std::string> bands = {
        "nen/fontsize", "nen/fontname", "nen/stylebold", "nen/styleitalic", "nen/styleuline", "nen/stylesout",
        "nen/fontcolor", "nen/yohakucolor",
        "youbi/bkcolor1", "youbi/bkcolor2", "youbi/fontsize", "youbi/fontname", "youbi/stylebold",
        "youbi/styleitalic", "youbi/styleuline", "youbi/stylesout", "youbi/fontcolor1", "youbi/fontcolor2",
        "youbi/textpos",
        "day/bkrinsetu", "day/bkcolor1", "day/bkcolor2", "day/fontsize", "day/fontname", "day/stylebold",
        "day/styleitalic", "day/styleuline", "day/stylesout", "day/fontcolor1", "day/fontcolor2", "day/textpos",
        "memo/width", "memo/height", "memo/bkrinsetu", "memo/bkcolor1", "memo/bkcolor2", "memo/fontsize",
        "memo/fontname", "memo/stylebold", "memo/styleitalic", "memo/styleuline", "memo/stylesout",
        "memo/fontcolor1", "memo/fontcolor2", "memo/fontrinsetucolor",
        "today/flag", "today/color", "today/yjcolor",
        "weekholi/0", "weekholi/1", "weekholi/2", "weekholi/3", "weekholi/4", "weekholi/5", "weekholi/6",
        "delfile/flag", "delfile/month"};

    std::vector<std::string> migration = {"form/top", "form/left", "form/toolbar", "form/focus"};
    migration.insert(migration.end(), bands.begin(), bands.end());
    std::vector<std::string> dialog = {"form/jouchuu", "form/mon_start"};
    dialog.insert(dialog.end(), bands.begin(), bands.end());
    dialog.insert(std::find(dialog.begin(), dialog.end(), "day/textpos") + 1, "day/holiname");

    // From an empty file each section is written in one run, so the file's
    // lines show the order of the writes.
    ASSERT_EQ(settings.writeMigratedKeys(defaultSettings()), std::nullopt);
    EXPECT_EQ(keysInFileOrder(folder.get("kelmora.ini")), migration);
    std::filesystem::remove(folder.file("kelmora.ini"));
    ASSERT_EQ(settings.writeDialogKeys(defaultSettings()), std::nullopt);
    EXPECT_EQ(keysInFileOrder(folder.get("kelmora.ini")), dialog);
}

TEST_F(SettingsFileTest, RefusedRenameLeavesTheWholeFileAsItWasAndReportsThePath) {
    const std::string before = "; mine\r\n[form]\r\njouchuu=1\r\n[nen]\r\nfontsize=20\r\n";
    folder.put("kelmora.ini", before);
    RecordingFiles refusing;
    refusing.refuseRename = true;
    SettingsFile failing(refusing, folder.dir());
    const auto error = failing.writeDialogKeys(changedSettings());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(cp932::toUtf8(*error), folder.file("kelmora.ini") + " に書き込めません");
    EXPECT_EQ(folder.get("kelmora.ini"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.dir()), {}), 1);  // no temporary left
}

TEST_F(SettingsFileTest, LoadReadsTheFileOnceAndEachWriterReplacesItOnce) {
    folder.put("kelmora.ini", "[form]\r\ntop=3\r\n[memo]\r\nwidth=120\r\n");
    RecordingFiles counting;
    SettingsFile file(counting, folder.dir());
    EXPECT_EQ(file.load().memo.width, 120);
    EXPECT_EQ(counting.reads["kelmora.ini"], 1);
    EXPECT_EQ(counting.replaces["kelmora.ini"], 0);

    const struct {
        const char* name;
        std::function<WriteError(SettingsFile&)> write;
    } writers[] = {
        {"dialog", [](SettingsFile& f) { return f.writeDialogKeys(changedSettings()); }},
        {"conversion", [](SettingsFile& f) { return f.writeMigratedKeys(changedSettings()); }},
        {"window position", [](SettingsFile& f) { return f.writeWindowPosition(1, 2); }},
        {"print margins", [](SettingsFile& f) { return f.writePrintMargins(1, 2, 3); }},
    };
    for (const auto& w : writers) {
        counting.resetCounts();
        ASSERT_EQ(w.write(file), std::nullopt) << w.name;
        EXPECT_EQ(counting.reads["kelmora.ini"], 1) << w.name;
        EXPECT_EQ(counting.replaces["kelmora.ini"], 1) << w.name;
    }
}

TEST_F(SettingsFileTest, ReadOnlyFileReportsTheErrorAndStaysUnchanged) {
    const std::string before = "[form]\r\ntoolbar=1\r\n";
    folder.put("kelmora.ini", before);
    folder.makeReadOnly("kelmora.ini");
    const auto error = settings.writeToolbar(false);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, cannotWriteMessage(folder.file("kelmora.ini")));
    EXPECT_EQ(folder.get("kelmora.ini"), before);
}

TEST_F(SettingsFileTest, SingleGroupWritersStoreTheirKeys) {
    folder.put("kelmora.ini", "[form]\r\ntop=1\r\nleft=1\r\n[memo]\r\nwidth=120\r\n");
    ASSERT_EQ(settings.writeFocusFrame(false), std::nullopt);
    ASSERT_EQ(settings.writeToolbar(false), std::nullopt);
    ASSERT_EQ(settings.writeWindowPosition(-20, 300), std::nullopt);
    ASSERT_EQ(settings.writePrintMargins(0, 10, 50), std::nullopt);
    ASSERT_EQ(settings.writeLinkDateStamp("2024/05/01"), std::nullopt);
    ASSERT_EQ(settings.writeRokuyo(true), std::nullopt);
    ASSERT_EQ(settings.writeSekki(false), std::nullopt);
    ASSERT_EQ(settings.writeSekki(true), std::nullopt);
    const Settings s = settings.load();
    EXPECT_TRUE(s.rokuyo);
    EXPECT_TRUE(s.sekki);
    EXPECT_FALSE(s.focusFrame);
    EXPECT_FALSE(s.toolbar);
    EXPECT_EQ(s.top, -20);
    EXPECT_EQ(s.left, 300);
    EXPECT_EQ(s.printTop, 0);
    EXPECT_EQ(s.printLeft, 10);
    EXPECT_EQ(s.printRight, 50);
    EXPECT_EQ(s.memo.width, 120);
    EXPECT_EQ(folder.get("kelmora.ini"),
              "[form]\r\ntop=-20\r\nleft=300\r\nfocus=0\r\ntoolbar=0\r\n[memo]\r\nwidth=120\r\n"
              "[print]\r\ntop=0\r\nleft=10\r\nright=50\r\n[delfile]\r\nexe=2024/05/01\r\n"
              "[day]\r\nrokuyo=1\r\nsekki=1\r\n");
}

TEST_F(SettingsFileTest, HandWrittenFormsAreWrittenBackInTheFilesOwnForms) {
    folder.put("kelmora.ini", "[nen]\r\nfontcolor=$000000FF\r\n[today]\r\nflag=2\r\n");
    ASSERT_EQ(settings.writeDialogKeys(settings.load()), std::nullopt);
    const std::string file = folder.get("kelmora.ini");
    EXPECT_NE(file.find("fontcolor=clRed\r\n"), std::string::npos);
    EXPECT_NE(file.find("[today]\r\nflag=1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kelmora
