#pragma once
// The help: "kelmora.hlp" (beside a portable program, under share/kelmora for
// an installed one), an HTML page of our own, shown in a window of the
// program that stays open beside the calendar.

#include <QString>

class QWidget;

namespace kelmora {

class Prompts;

// Where the page names the calendar's data folder; the folder in use is put
// in its place.
inline constexpr const char* kDataFolderMark = "<!--data-folder-->";

// Opens the contents of `helpFile` in the help window, reusing it when it is
// already open. A new window opens beside the calendar (`parent`) and closes
// with Escape or its "閉じる" button. A missing or unreadable file is
// reported through `prompts`; the result is then null.
QWidget* showHelpContents(QWidget* parent, const QString& helpFile, const QString& dataFolder, Prompts& prompts);

}  // namespace kelmora
