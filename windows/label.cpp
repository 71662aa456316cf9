#include "windows/label.h"

#include <QMouseEvent>

void Label::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void Label::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}
