#pragma once
// The keyboard's media keys while a Tunevault window has the focus: play,
// pause, play/pause, stop, next and previous, as the desktop's media controls.

#include <QObject>

class MediaCommands;

class MediaKeys : public QObject {
    Q_OBJECT
public:
    // Watches the key presses of every window of the application.
    explicit MediaKeys(MediaCommands& commands);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Handle(int key);

    MediaCommands& commands_;
};
