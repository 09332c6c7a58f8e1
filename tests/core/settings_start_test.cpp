// A "kelmora.ini" that is no settings file at start: a pipe, a device, a
// folder, a file far too large. The calendar starts at once with the
// defaults and says so once, and the thing is never overwritten.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "main/cp932.h"
#include "settei/legacy_settings.h"
#include "recording_files.h"
#include "settei/settings_file.h"
#include "temp_folder.h"

namespace kelmora {
namespace {

namespace fs = std::filesystem;

TEST(SettingsAtStart, WhatIsNoSettingsFileGivesTheDefaultsAndOneMessage) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
        const char* cause;
    } cases[] = {
        {"a pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, "普通のファイルではありません"},
        {"a link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
         "普通のファイルではありません"},
        {"a folder", [](const std::string& p) { fs::create_directory(p); }, "普通のファイルではありません"},
        {"16 MiB", [](const std::string& p) {
             std::ofstream(p, std::ios::binary) << "[memo]\r\nwidth=300\r\n";
             fs::resize_file(p, 16u << 20);
         }, "大きすぎます"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempFolder folder;
        RealFileSystem files;
        const std::string path = folder.file("kelmora.ini");
        c.make(path);
        const auto start = std::chrono::steady_clock::now();
        const StartupSettings settings = loadStartupSettings(files, folder.dir());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(settings.settings, defaultSettings());
        ASSERT_TRUE(settings.error);
        const std::string message = cp932::toUtf8(*settings.error);
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find(c.cause), std::string::npos) << message;

        // Writing a key later leaves it alone too.
        const auto type = fs::symlink_status(path).type();
        EXPECT_TRUE(SettingsFile(files, folder.dir()).writeWindowPosition(1, 2));
        EXPECT_EQ(fs::symlink_status(path).type(), type);
    }

    // An ordinary file still loads, read once, without a message.
    testing::TempFolder folder;
    testing::RecordingFiles files;
    folder.put("kelmora.ini", "[memo]\r\nwidth=300\r\n");
    const StartupSettings settings = loadStartupSettings(files, folder.dir());
    EXPECT_FALSE(settings.error);
    EXPECT_EQ(settings.settings.memo.width, 300);
    EXPECT_EQ(files.reads["kelmora.ini"], 1);
}

}  // namespace
}  // namespace kelmora
