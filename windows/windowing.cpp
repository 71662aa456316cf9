#include "windows/windowing.h"

#include "windows/form.h"

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

} // namespace MP3Mod
