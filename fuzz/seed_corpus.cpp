// Writes the fuzz targets' seed files, built from the formats themselves:
//   seed_corpus DIR   makes DIR/month_file, DIR/legacy_settings, DIR/settings_file

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "legacy_settings_bytes.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "memory_file_system.h"
#include "settei/settings_file.h"

namespace {

using namespace kelmora;
namespace fs = std::filesystem;

void put(const fs::path& dir, const std::string& name, const std::string& bytes) {
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

MonthModel month(int year, int number, bool mondayStart) {
    MonthModel m;
    m.year = static_cast<std::uint16_t>(year);
    m.month = static_cast<std::uint16_t>(number);
    m.mondayStart = mondayStart;
    if (!m.buildMonth()) std::abort();
    return m;
}

// An older file: the version given, holding only the sections it had.
std::string olderVersion(std::string bytes, std::uint16_t version, std::size_t keep) {
    bytes[0] = static_cast<char>(version & 0xFF);
    bytes[1] = static_cast<char>(version >> 8);
    return bytes.substr(0, keep);
}

void monthSeeds(const fs::path& dir) {
    MonthModel empty = month(2024, 6, false);
    put(dir, "empty-sunday", *encodeMonthFile(empty));
    MonthModel full = month(2026, 8, true);
    for (int week = 1; week <= full.weekRows; ++week)
        for (int col = 0; col < kColumns; ++col) full.memos[col][week].text = cp932::literal("会議\r\n10時〜");
    full.marks[2][3].holidayMark = 1;
    full.marks[4][2].weekdayMark = 1;
    full.memos[1][1].arrow = 1;
    full.memos[2][1].arrow = 2;
    full.memos[3][1].arrow = 3;
    full.memos[5][4].hasBackColor = 1;
    full.memos[5][4].backColor = 0x123456;
    full.memos[6][5].hasFontColor = 1;
    full.memos[6][5].fontColor = 0xFF;
    const std::string bytes = *encodeMonthFile(full);
    put(dir, "full-monday", bytes);
    // Texts only (below version 13), and with marks (13..19).
    std::string sunday = *encodeMonthFile(month(2024, 6, false));
    const std::size_t textsEnd = 4 + 2 * kColumns * month(2024, 6, false).weekRows;
    put(dir, "version-10", olderVersion(sunday, 10, textsEnd));
    put(dir, "version-13", olderVersion(sunday, 13, textsEnd + 7 + 2 * kColumns * kWeeks));
    put(dir, "version-20", olderVersion(sunday, 20, sunday.size()));
}

void legacySeeds(const fs::path& dir) {
    for (unsigned version : {10u, 12u, 13u}) put(dir, "version-" + std::to_string(version), testing::legacyFile(version));
    put(dir, "truncated", testing::legacyFile(13).substr(0, 40));
}

void settingsSeeds(const fs::path& dir) {
    fuzz::MemoryFileSystem files;
    SettingsFile settings(files, "/calendar/");
    Settings s = defaultSettings();
    if (settings.writeMigratedKeys(s) || settings.writeDialogKeys(s) || settings.writePrintMargins(2, 3, 3))
        std::abort();
    put(dir, "every-key", files.files[settings.path()]);
    put(dir, "hand-edited",
        "; comment\r\n[FORM]\r\n Top = 0x10 \r\nleft=$20\r\n[memo]\r\nwidth=-3\nbkcolor1=clBlack\rfontname=" +
            cp932::literal("ＭＳ ゴシック") + "\r\n[day]\r\nbkcolor2=$00FF00FF\r\n[nen]\r\nyohakucolor=clnone\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_corpus DIR\n");
        return 64;
    }
    const fs::path dir = argv[1];
    monthSeeds(dir / "month_file");
    legacySeeds(dir / "legacy_settings");
    settingsSeeds(dir / "settings_file");
    return 0;
}
