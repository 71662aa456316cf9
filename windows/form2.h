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

    Label* Label1;   // title strip
    Slider* Volume;  // 1 (quietest) to 100 (full)
    Label* mp3Count; // number of songs
    Label* Stats2;   // the playing song's name, scrolling by

    Timer* Timer1; // time labels
    Timer* Timer2; // scrolling song name
    Timer* Timer3; // seek slider follows the position
};
