#include "windows/windowing.h"

#include "windows/form.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

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

} // namespace MP3Mod
