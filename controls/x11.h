#pragma once
// What Tunevault tells an X11 desktop that Qt has no call for. Both do
// nothing on other window systems.

#include <QByteArray>

class QWidget;

namespace MP3Mod {

// Asks the taskbar and the pager to leave a top-level window out. Call it
// while the window is not shown: Qt keeps these states when it maps the
// window, and the window manager drops them when it is hidden.
void SkipTaskbarAndPager(QWidget& window);

// Ends a launch's startup notification (its id, as DESKTOP_STARTUP_ID gave
// it), so that the desktop stops showing that the launch is busy.
void EndStartupNotification(const QByteArray& startupId);

} // namespace MP3Mod
