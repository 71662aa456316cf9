// For scale beside the playing figures: a bare Qt window whose label shows a
// clock that changes once a second, as any window that shows the time does.
// Usage: tickwindow

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel clock(QStringLiteral("0:00"));
    clock.resize(265, 154);
    clock.show();
    int seconds = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++seconds;
        clock.setText(QString::number(seconds / 60) + QLatin1Char(':') +
                      QString::number(seconds % 60).rightJustified(2, QLatin1Char('0')));
    });
    tick.start(1000);
    return QApplication::exec();
}
