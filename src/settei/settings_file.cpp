#include "settei/settings_file.h"

#include <vector>

#include "main/cp932.h"
#include "settei/settings_text.h"

namespace kelmora {

namespace {

namespace text = settings_text;

struct KeyValue {
    const SettingKey& key;
    std::string text;
};

// One read of the file, the keys set in the order given, one replace.
WriteError writeValues(FileSystem& files, const std::string& path, const std::vector<KeyValue>& values) {
    ProfileFile file(files, path);
    std::optional<ProfileDocument> document = file.load();
    if (!document) return cannotWriteMessage(path);
    for (const KeyValue& v : values) document->set(v.key.section, v.key.key, v.text);
    if (!file.save(*document)) return cannotWriteMessage(path);
    return std::nullopt;
}

// The keys' values taken from the settings.
WriteError writeKeys(FileSystem& files, const std::string& path, SettingKeyList keys, const Settings& s) {
    std::vector<KeyValue> values;
    values.reserve(keys.size());
    for (const SettingKey* k : keys) values.push_back({*k, settingText(*k, s)});
    return writeValues(files, path, values);
}

}  // namespace

std::string cannotWriteMessage(const std::string& path) { return path + cp932::literal(" に書き込めません"); }

SettingsFile::SettingsFile(FileSystem& files, std::string programDir)
    : files_(files), programDir_(std::move(programDir)) {}

// A missing key or a text of the wrong kind leaves the default in place.
Settings SettingsFile::load() const {
    const std::optional<ProfileDocument> file = ProfileFile(files_, path()).load();
    return file ? settingsFrom(*file) : defaultSettings();
}

Settings SettingsFile::settingsFrom(const ProfileDocument& file) {
    Settings s = defaultSettings();
    for (const SettingKey* k : settingsLoadOrder())
        if (std::optional<std::string> raw = file.value(k->section, k->key)) setSettingFromText(*k, s, *raw);
    return s;
}

WriteError SettingsFile::writeDialogKeys(const Settings& s) { return writeKeys(files_, path(), dialogWriteOrder(), s); }

WriteError SettingsFile::writeMigratedKeys(const Settings& s) {
    return writeKeys(files_, path(), migrationWriteOrder(), s);
}

WriteError SettingsFile::writeFocusFrame(bool on) {
    return writeValues(files_, path(), {{key::form_focus, text::formatBoolean(on)}});
}

WriteError SettingsFile::writeToolbar(bool visible) {
    return writeValues(files_, path(), {{key::form_toolbar, text::formatBoolean(visible)}});
}

WriteError SettingsFile::writeRokuyo(bool on) {
    return writeValues(files_, path(), {{key::day_rokuyo, text::formatBoolean(on)}});
}

WriteError SettingsFile::writeSekki(bool on) {
    return writeValues(files_, path(), {{key::day_sekki, text::formatBoolean(on)}});
}

WriteError SettingsFile::writeWindowPosition(std::int32_t top, std::int32_t left) {
    return writeValues(files_, path(),
                       {{key::form_top, text::formatInteger(top)}, {key::form_left, text::formatInteger(left)}});
}

WriteError SettingsFile::writeLinkDateStamp(const std::string& stamp) {
    return writeValues(files_, path(), {{key::delfile_exe, stamp}});
}

WriteError SettingsFile::writePrintMargins(std::int32_t top, std::int32_t left, std::int32_t right) {
    return writeValues(files_, path(),
                       {{key::print_top, text::formatInteger(top)},
                        {key::print_left, text::formatInteger(left)},
                        {key::print_right, text::formatInteger(right)}});
}

}  // namespace kelmora
