#pragma once
// The program's lines on standard error, for the user who started it from a
// terminal: every one goes through Say, so each names the program the same
// way, and tests can read them.

#include <QString>
#include <QStringList>

namespace MP3Mod {

// Writes the text as one line on standard error, after "Tunevault: " unless
// it already starts with the program's name ("Tunevault is running ...").
// Names in it keep their bytes. Safe on any thread.
void Say(const QString& text);

// While one lives, the lines said are kept here instead of written: the
// seam for tests. One at a time.
class SaidLines {
public:
    SaidLines();
    ~SaidLines();
    SaidLines(const SaidLines&) = delete;
    SaidLines& operator=(const SaidLines&) = delete;

    QStringList Lines() const;
    // Whether a line said holds the part.
    bool Contains(const QString& part) const;
};

} // namespace MP3Mod
