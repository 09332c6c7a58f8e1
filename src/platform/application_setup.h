#pragma once
// What the program sets up around its window, before and after the
// application object exists. The program and the start-up benchmark share it,
// so the benchmark starts the calendar as a user does.

namespace kelmora {

// Before the application object: the window is laid out in pixels, as its
// settings give them.
void prepareApplicationEnvironment();

// After it: the names the desktop knows the program by, its icon, the
// Japanese faces standing in for the default fonts, and Qt's own texts in
// Japanese.
void setUpApplication();

}  // namespace kelmora
