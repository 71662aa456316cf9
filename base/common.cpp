#include "base/common.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTimer>

#include "base/mediaplayer.h"

namespace MP3Mod {

namespace {
double clockFactor = 1.0;
int waits = 0; // WaitSeconds running now, one inside another
} // namespace

void SetClockFactor(double factor) {
    clockFactor = factor > 0 ? factor : 1.0;
}

double ClockFactor() {
    return clockFactor;
}

int ScaledInterval(int milliseconds) {
    return std::max(1, int(std::lround(milliseconds / clockFactor)));
}

void WaitSeconds(double seconds) {
    if (!(seconds > 0))
        return;
    const auto wait = std::chrono::nanoseconds(std::llround(seconds / clockFactor * 1e9));
    const QDeadlineTimer deadline(std::chrono::duration_cast<std::chrono::nanoseconds>(wait),
                                  Qt::PreciseTimer);
    ++waits;
    const auto done = qScopeGuard([] { --waits; });
    // The nested loop sleeps until an event or the deadline arrives; handlers
    // that run inside it may wait themselves, so check the deadline again.
    while (!deadline.hasExpired()) {
        QEventLoop loop;
        const int remaining = int(std::clamp<qint64>(deadline.remainingTime(), 1, 60'000));
        QTimer::singleShot(remaining, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

bool Waiting() {
    return waits > 0;
}

int RandomIndexFor(float r, int upper, bool allowZero) {
    const int v = int(std::nearbyint(double(r) * upper)); // default rounding: halves to even
    return v == 0 && !allowZero ? 1 : v;
}

int RandomIndex(int upper, bool allowZero) {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_real_distribution<float> draw(0.0f, 1.0f);
    float r = draw(generator);
    if (r >= 1.0f) // float rounding can reach the upper end
        r = std::nextafter(1.0f, 0.0f);
    return RandomIndexFor(r, upper, allowZero);
}

int RoundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return int(std::nearbyint(std::clamp(value, lowest, highest)));
}

double LeadingNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?"));
    // A number and the blanks before it are ASCII. The text from the first
    // other character on never counts, and may hold a lone surrogate, for
    // which the matcher would refuse the whole text.
    const auto end =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x80; });
    const QRegularExpressionMatch match = number.match(QStringView(text.begin(), end));
    return match.hasMatch() ? match.captured().trimmed().toDouble() : 0.0;
}

QString TimeText(double seconds) {
    constexpr double longest = 1e12; // far beyond any song, well inside long long
    const long long whole = seconds > 0 ? std::llrint(std::min(seconds, longest)) : 0;
    // Built piece by piece: the control panel asks for it every second.
    const int rest = int(whole % 60);
    QString text = QString::number(whole / 60);
    text += QLatin1Char(':');
    text += QLatin1Char(char('0' + rest / 10));
    text += QLatin1Char(char('0' + rest % 10));
    return text;
}

QString DurationText(const MediaPlayer& media) {
    return TimeText(media.Duration());
}

QString PositionText(const MediaPlayer& media) {
    return TimeText(media.Position());
}

int SliderToPlayer(int value) {
    return value * 25 - 2500;
}

bool SongEnded(const MediaPlayer& media) {
    // A song still opening reads 0:00 of 0:00, but has not even begun.
    return !media.StillOpening() && PositionText(media) == DurationText(media);
}

QString RemoveBlanks(const QString& text) {
    QString result = text;
    return result.remove(QLatin1Char(' '));
}

bool TextMatches(const QString& entry, const QString& typed) {
    return RemoveBlanks(entry).toLower().contains(RemoveBlanks(typed).toLower());
}

} // namespace MP3Mod
