#pragma once
// The picture slider of the control panel: a track, its filled left part and
// a pointer, each drawn from its own picture.

#include <QPixmap>
#include <QWidget>

class Slider : public QWidget {
    Q_OBJECT
public:
    Slider(QWidget* parent, int minimum, int maximum, int value);

    int Value() const { return value_; }
    // Values written by the program are kept as written (also outside the
    // range, drawn clamped) and raise no ValueChanged.
    void Value(int value);
    // Moves the pointer as the user does, within the range: ValueChanged when
    // the value changes, then Released.
    void MoveTo(int value);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    void Maximum(int maximum);

signals:
    // The user moved the pointer.
    void ValueChanged(int oldValue, int newValue);
    // The user let go of the pointer.
    void Released();
    // The user pressed the mouse on the slider.
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void MoveByUser(int value);
    void AnnounceValue();
    int ValueAt(int x) const;
    int PointerX() const;

    int minimum_;
    int maximum_;
    int value_;
    QPixmap imageslider_;
    QPixmap imageleft_;
    QPixmap imagepointer_;
};
