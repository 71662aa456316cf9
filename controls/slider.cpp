#include "controls/slider.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/picture.h"

Slider::Slider(QWidget* parent, int minimum, int maximum, int value)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), value_(value),
      imageslider_(MP3Mod::Picture(QStringLiteral(":/slider_track.png"))),
      imageleft_(MP3Mod::Picture(QStringLiteral(":/slider_left.png"))),
      imagepointer_(MP3Mod::Picture(QStringLiteral(":/slider_pointer.png"))) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

// The slider is drawn again only when its pointer moves: the control panel
// writes the seek slider every second, and most writes move nothing.
void Slider::Value(int value) {
    const int before = PointerX();
    value_ = value;
    AnnounceValue();
    if (PointerX() != before)
        update();
}

void Slider::Maximum(int maximum) {
    const int before = PointerX();
    maximum_ = maximum;
    if (PointerX() != before)
        update();
}

int Slider::PointerX() const {
    const int travel = width() - imagepointer_.width();
    if (maximum_ <= minimum_ || travel <= 0)
        return 0;
    const double share =
        double(std::clamp(value_, minimum_, maximum_) - minimum_) / (maximum_ - minimum_);
    return int(std::lround(share * travel));
}

int Slider::ValueAt(int x) const {
    const int travel = std::max(1, width() - imagepointer_.width());
    const double share = std::clamp(double(x - imagepointer_.width() / 2) / travel, 0.0, 1.0);
    return minimum_ + int(std::lround(share * (maximum_ - minimum_)));
}

void Slider::MoveByUser(int value) {
    value = std::clamp(value, minimum_, std::max(minimum_, maximum_));
    if (value == value_)
        return;
    const int old = value_;
    value_ = value;
    AnnounceValue();
    update();
    emit ValueChanged(old, value);
}

// Tells assistive tools, where one listens, that the value changed.
void Slider::AnnounceValue() {
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
}

void Slider::MoveTo(int value) {
    MoveByUser(value);
    emit Released();
}

void Slider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int trackTop = (height() - imageslider_.height()) / 2;
    const int pointerX = PointerX();
    painter.drawPixmap(QRect(0, trackTop, width(), imageslider_.height()), imageslider_);
    painter.drawPixmap(QRect(0, trackTop, pointerX, imageleft_.height()), imageleft_);
    painter.drawPixmap(pointerX, (height() - imagepointer_.height()) / 2, imagepointer_);
}

void Slider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    emit Clicked();
    MoveByUser(ValueAt(int(event->position().x())));
}

void Slider::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        MoveByUser(ValueAt(int(event->position().x())));
}

void Slider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit Released();
}

namespace {

bool IsMoveKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
           key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
           key == Qt::Key_Home || key == Qt::Key_End;
}

} // namespace

void Slider::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, (maximum_ - minimum_) / 10);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        return MoveByUser(value_ - 1);
    case Qt::Key_Right:
    case Qt::Key_Up:
        return MoveByUser(value_ + 1);
    case Qt::Key_PageDown:
        return MoveByUser(value_ - page);
    case Qt::Key_PageUp:
        return MoveByUser(value_ + page);
    case Qt::Key_Home:
        return MoveByUser(minimum_);
    case Qt::Key_End:
        return MoveByUser(maximum_);
    default:
        QWidget::keyPressEvent(event);
    }
}

void Slider::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && IsMoveKey(event->key()))
        emit Released();
    QWidget::keyReleaseEvent(event);
}
