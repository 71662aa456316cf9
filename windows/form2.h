#pragma once
// The control panel: song name, time texts, sliders, glyphs and song count.

#include "windows/form.h"

class QLabel;

class Form2 : public FormWindow {
    Q_OBJECT
  public:
    Form2();

    QLabel* Label1;   // title strip
    QLabel* mp3Count; // number of songs
};
