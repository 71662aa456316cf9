#include "desktop/mediakeys.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "desktop/mediacommands.h"

MediaKeys::MediaKeys(MediaCommands& commands) : commands_(commands) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool MediaKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && Handle(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QObject::eventFilter(watched, event);
}

namespace {

using Command = void (MediaCommands::*)();

Command CommandOf(int key) {
    switch (key) {
    case Qt::Key_MediaPlay: // X11 sends the keyboard's play/pause key as Play
    case Qt::Key_MediaTogglePlayPause:
        return &MediaCommands::PlayPause;
    case Qt::Key_MediaPause:
        return &MediaCommands::Pause;
    case Qt::Key_MediaStop:
        return &MediaCommands::Stop;
    case Qt::Key_MediaNext:
        return &MediaCommands::Next;
    case Qt::Key_MediaPrevious:
        return &MediaCommands::Previous;
    default:
        return nullptr;
    }
}

} // namespace

bool MediaKeys::Handle(int key) {
    const Command command = CommandOf(key);
    if (command != nullptr)
        commands_.Post([&commands = commands_, command] { (commands.*command)(); });
    return command != nullptr;
}
