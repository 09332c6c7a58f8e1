#pragma once
// The help: "kelmora.hlp" beside the program, an HTML page of our own, shown
// in a window of the program that stays open beside the calendar.

#include <QString>

class QWidget;

namespace kelmora {

class Prompts;

inline constexpr const char* kHelpFileName = "kelmora.hlp";

// Opens the contents of programDir + "kelmora.hlp" (programDir ends with a
// separator) in the help window, reusing it when it is already open. A new
// window opens beside the calendar (`parent`) and closes with Escape or its
// "閉じる" button. A
// missing or unreadable file is reported through `prompts`; the result is
// then null.
QWidget* showHelpContents(QWidget* parent, const QString& programDir, Prompts& prompts);

}  // namespace kelmora
