#pragma once
// The song info window shown alone at start-up: a random song's name and tag.

#include "windows/form.h"

class Label;

class Form3 : public FormWindow {
    Q_OBJECT
public:
    Form3();

    Label* Label2;      // title strip
    Label* lblrandom;   // the chosen row
    Label* lblDblClick; // closes the window on double-click
    Label* lblstatic;
    Label* lblArtist;
    Label* lblstatic2;
    Label* lblTitle;
    Label* lblstatic3;
    Label* lblalbum;
    Label* lblstatic4;
    Label* lblYear;
};
