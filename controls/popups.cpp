#include "controls/popups.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

namespace MP3Mod {

void OpenPopupAt(QPoint global, const std::function<void()>& press) {
    const QWidget* before = QApplication::activePopupWidget();
    press();
    QWidget* popup = QApplication::activePopupWidget();
    if (popup != nullptr && popup != before)
        popup->move(global);
}

void AnswerMenuKey(QContextMenuEvent& event, const std::function<void()>& press) {
    if (event.reason() != QContextMenuEvent::Keyboard) {
        event.ignore();
        return;
    }
    OpenPopupAt(event.globalPos(), press);
}

bool IsMenuKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier;
}

void SendMenuKey(QWidget& window) {
    QWidget* control = window.focusWidget() != nullptr ? window.focusWidget() : &window;
    const QPoint centre = control->rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre, control->mapToGlobal(centre));
    QCoreApplication::sendEvent(control, &menu);
}

} // namespace MP3Mod
