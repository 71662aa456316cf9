#include "windows/windowing.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "windows/form.h"

namespace MP3Mod {

void MakeTopMost(FormWindow& form) {
    if (form.windowFlags() & Qt::WindowStaysOnTopHint)
        return;
    const bool shown = form.isVisible();
    form.setWindowFlag(Qt::WindowStaysOnTopHint); // hides a shown window
    if (shown)
        form.show();
}

void CenterForm(FormWindow& form) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const double screenWidth = screen.width() * TwipsPerPixel;
    const double screenHeight = screen.height() * TwipsPerPixel;
    form.SetTop(screen.y() * TwipsPerPixel + screenHeight * 0.85 / 2 - form.Height() / 2.0);
    form.SetLeft(screen.x() * TwipsPerPixel + screenWidth / 2 - form.Width() / 2.0);
}

void ShrinkAndHide(FormWindow& form, int divisor) {
    // The size is followed in exact twips, not read back from the window:
    // once a step is smaller than a pixel the window would stop shrinking.
    double left = form.Left();
    double top = form.Top();
    double width = form.Width();
    double height = form.Height();
    constexpr double smallest = 120;
    while (width > smallest && height > smallest) {
        width -= width / divisor;
        left += width / divisor / 2;
        height -= height / divisor;
        top += height / divisor / 2;
        form.setGeometry(ToPixels(left), ToPixels(top), std::max(1, ToPixels(width)),
                         std::max(1, ToPixels(height)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    form.hide();
}

namespace {

constexpr int SnapDistance = 400;

QRect ScreenTwips() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.x() * TwipsPerPixel, screen.y() * TwipsPerPixel, screen.width() * TwipsPerPixel,
            screen.height() * TwipsPerPixel};
}

// Moves the window with the pointer until the mouse button is released.
class WindowDrag : public QObject {
public:
    explicit WindowDrag(FormWindow& form) : form_(form), grab_(QCursor::pos() - form.pos()) {}

    void Run() {
        form_.installEventFilter(this);
        form_.grabMouse();
        loop_.exec();
        form_.releaseMouse();
        form_.removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            form_.move(mouse->globalPosition().toPoint() - grab_);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            loop_.quit();
            return true;
        }
        return false;
    }

private:
    FormWindow& form_;
    QPoint grab_;
    QEventLoop loop_;
};

} // namespace

void DragWindow(FormWindow& form) {
    WindowDrag(form).Run();
    SnapToScreenEdges(form);
}

void PlaceCompanions(const FormWindow& main, FormWindow& panel, FormWindow& playlist) {
    constexpr int panelOffset = 2290;
    constexpr int playlistOffset = 4580;
    panel.SetLeft(main.Left());
    panel.SetTop(main.Top() + panelOffset);
    playlist.SetLeft(main.Left());
    playlist.SetTop(main.Top() + playlistOffset);
}

void SnapToScreenEdges(FormWindow& form) {
    const QRect screen = ScreenTwips();
    if (form.Left() < screen.left() + SnapDistance)
        form.SetLeft(screen.left());
    if (form.Top() < screen.top() + SnapDistance)
        form.SetTop(screen.top());
    if (form.Left() + form.Width() + SnapDistance > screen.left() + screen.width())
        form.SetLeft(screen.left() + screen.width() - form.Width());
    if (form.Top() + form.Height() + SnapDistance > screen.top() + screen.height())
        form.SetTop(screen.top() + screen.height() - form.Height());
}

} // namespace MP3Mod
