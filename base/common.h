#pragma once
// Small routines that nearly every command uses: the timed wait, the random
// row, the time texts and the typed-text search.

#include <QString>

class MediaPlayer;

namespace MP3Mod {

// The program's clock runs this many times faster than real time: every
// wait and every timer interval is divided by it. Tests raise it; the program
// keeps 1.
void SetClockFactor(double factor);
double ClockFactor();
// A timer interval in milliseconds on the program's clock.
int ScaledInterval(int milliseconds);

// Handles window events until the given number of seconds has passed on a
// monotonic clock, sleeping between events. Zero or less returns at once.
void WaitSeconds(double seconds);
// Whether a WaitSeconds runs now: a handler waits, and events run inside it.
bool Waiting();

// A random row from 0 to upper; with allowZero false a drawn 0 becomes 1.
int RandomIndex(int upper, bool allowZero);
// The same for a given draw 0 <= r < 1: r * upper rounded, halves to even.
int RandomIndexFor(float r, int upper, bool allowZero);

// A number rounded to the nearest whole number, halves to even, kept within
// the range of int (NaN gives 0).
int RoundHalfEven(double value);

// The number a text starts with (blanks before it skipped, "." as the decimal
// point), 0 when it starts with none: "0.5x" gives 0.5, "abc" 0.
double LeadingNumber(const QString& text);

// Seconds as m:ss, rounded to whole seconds, halves to even. Values below
// zero (nothing loaded or still loading) read as 0:00.
QString TimeText(double seconds);
QString DurationText(const MediaPlayer& media);
QString PositionText(const MediaPlayer& media);

// A sound slider's value as the player takes it, in hundredths of a decibel:
// volume 100 is full (0) and each step down 0.25 dB less; balance runs from
// 0 (left, -2500) through 100 (middle, 0) to 200 (right, +2500).
int SliderToPlayer(int value);

// The song-ended test: the position's time text equals the length's. True too
// with nothing loaded; false while a song is still opening.
bool SongEnded(const MediaPlayer& media);

// The text without any blank (U+0020); other white space stays.
QString RemoveBlanks(const QString& text);
// Whether typed occurs in entry once blanks are removed and case ignored.
bool TextMatches(const QString& entry, const QString& typed);

} // namespace MP3Mod
