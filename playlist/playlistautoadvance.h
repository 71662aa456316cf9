#pragma once
// The playlist playing through by itself: Auto Next moves on at each song's
// end and stops after the last entry; Auto Repeat plays the selected entry at
// each song's end and starts over after the last one.

class Form2;
class Form4;
class MediaPlayer;

class PlaylistAutoAdvance {
public:
    PlaylistAutoAdvance(Form2& form2, Form4& form4, MediaPlayer& media);

    void AutoNextClick();
    void AutoRepeatClick();
    void Timer1Tick(); // Auto Next
    void Timer2Tick(); // Auto Repeat

private:
    Form2& form2_;
    Form4& form4_;
    MediaPlayer& media_;
};
