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

bool MediaKeys::Handle(int key) {
    switch (key) {
    case Qt::Key_MediaPlay: // X11 sends the keyboard's play/pause key as Play
    case Qt::Key_MediaTogglePlayPause:
        commands_.PlayPause();
        return true;
    case Qt::Key_MediaPause:
        commands_.Pause();
        return true;
    case Qt::Key_MediaStop:
        commands_.Stop();
        return true;
    case Qt::Key_MediaNext:
        commands_.Next();
        return true;
    case Qt::Key_MediaPrevious:
        commands_.Previous();
        return true;
    default:
        return false;
    }
}
