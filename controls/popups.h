#pragma once
// Popup menus asked for from the keyboard (the Menu key, Shift+F10, a button
// label's Space) or by an assistive tool. The mouse's handlers open them at
// the pointer; these open them by the control instead.

#include <functional>

#include <QPoint>

class QContextMenuEvent;
class QKeyEvent;
class QWidget;

namespace MP3Mod {

// Runs a press through the mouse's handler, then moves a popup menu that it
// opened to the given point of the screen.
void OpenPopupAt(QPoint global, const std::function<void()>& press);

// Answers a context menu event that a key gave (the Menu key, Shift+F10) by
// OpenPopupAt its point; one that the mouse gave is left alone, since the
// mouse's press has already been reported.
void AnswerMenuKey(QContextMenuEvent& event, const std::function<void()>& press);

// Shift+F10: the desktop's key for the focused control's popup menu, where
// the keyboard has no Menu key.
bool IsMenuKey(const QKeyEvent& key);

// Gives the window's focused control the keyboard context menu event that
// the Menu key gives; it goes on to the window when the control has no menu
// of its own.
void SendMenuKey(QWidget& window);

} // namespace MP3Mod
