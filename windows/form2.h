#pragma once
// The control panel: song name, time texts, sliders, glyphs and song count.

#include "windows/form.h"

class Label;
class Slider;
class Timer;

class Form2 : public FormWindow {
    Q_OBJECT
public:
    Form2();

    Label* Label1;  // title strip
    Slider* bar;    // seek
    Slider* Volume; // 1 (quietest) to 100 (full)
    Slider* bar2;   // rate
    Slider* bar3;   // balance: 0 left, 100 middle, 200 right
    Label* lblstatic6;
    Label* lblstatic5;
    Label* lblstatic4;
    Label* lblstatic3; // names the balance slider, or shows its value
    Label* mp3Count;   // number of songs
    Label* Stats2;     // the playing song's name, scrolling by
    Label* lblplay;    // glyphs: play, pause/resume, stop, refresh
    Label* lblpause;
    // The pause glyph's two captions, its state: shown while a song plays,
    // and while it is paused.
    static inline const QString PauseGlyph = QStringLiteral(";");
    static inline const QString ResumeGlyph = QStringLiteral("3");
    // What assistive tools call the pause glyph in each state.
    static inline const QString PauseName = QStringLiteral("Pause");
    static inline const QString ResumeName = QStringLiteral("Resume");
    Label* lblstop;
    Label* lblRefresh;
    Label* Parttime; // play position
    Label* FullTime; // song length

    Timer* Timer1; // time labels
    Timer* Timer2; // scrolling song name
    Timer* Timer3; // seek slider follows the position

signals:
    // The mouse moved over the window's background.
    void MouseMove();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Slider* AddSlider(const char* name, int minimum, int maximum, int value, int left, int top);
};
