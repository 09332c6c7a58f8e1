#pragma once
// Where the calendar keeps its month files and kelmora.ini, and where its
// help file lies.
//
// A portable copy (a folder of its own on a USB stick, scripts/run's
// portable/, scripts/install's folder) keeps its data beside the program
// file. Any other copy keeps it in "$XDG_DATA_HOME/kelmora/": one installed
// by a package (also when root starts it from there), one in a folder the
// user cannot write, one installed under a prefix (<prefix>/bin with its
// help in <prefix>/share/kelmora). That is the folder scripts/install
// installs into by default, so moving from there to a package keeps every
// memo.

#include <string>

namespace kelmora {

class FileSystem;

inline constexpr const char* kHelpFileName = "kelmora.hlp";

// The user's side of the decision, as the environment gives it.
struct UserFolders {
    std::string xdgDataHome;  // $XDG_DATA_HOME; empty or relative: not set
    std::string home;         // $HOME
};

// What is known about the program file's folder.
struct ProgramPlace {
    std::string folder;          // absolute, with or without a trailing separator
    bool writable = false;       // the user running it may create files in it
    bool helpInstalled = false;  // installedHelpFile(folder) is there
};

struct CalendarFolders {
    bool portable = false;
    std::string data;      // month files and kelmora.ini; trailing separator
    std::string helpFile;  // the help file to open
    std::string rescue;    // rescue copies: "$XDG_DATA_HOME/kelmora/rescue/" always
};

// "$XDG_DATA_HOME/" when it is an absolute path, "$HOME/.local/share/"
// otherwise.
std::string userDataHome(const UserFolders& user);

// For a program in "<prefix>/bin": "<prefix>/share/kelmora/kelmora.hlp",
// where an installation puts the help. Empty for any other folder.
std::string installedHelpFile(const std::string& programFolder);

// The folders of a calendar whose program file lies in `place.folder`.
CalendarFolders chooseCalendarFolders(const ProgramPlace& place, const UserFolders& user);

// The same, with the facts about the folder looked up in `files`.
CalendarFolders locateCalendarFolders(const FileSystem& files, const std::string& programFolder,
                                      const UserFolders& user);

}  // namespace kelmora
