#pragma once
// The control panel's own behaviour: its start, the time labels, the
// scrolling song name, the seek slider and the pause and stop glyphs.

#include <QString>

class Form1;
class Form2;
class MediaPlayer;

class ControlPanel {
public:
    ControlPanel(Form1& form1, Form2& form2, MediaPlayer& media);

    void Form2Load();
    // Time labels.
    void Timer1Tick();
    // Scrolls the song name 90 twips to the left; once it has left, it starts again.
    void Timer2Tick();
    // The seek slider follows the position.
    void Timer3Tick();
    void barValueChanged();
    void barReleased();
    void lblpauseClick();
    void lblstopClick();

private:
    Form1& form1_;
    Form2& form2_;
    MediaPlayer& media_;
    QString silencedSong_; // the song whose silence the status line said
};
