#pragma once
// A label that reports the mouse: presses, clicks and double-clicks.

#include <QLabel>

class Label : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void MouseDown(Qt::MouseButton button);
    void Click();
    void DblClick();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
