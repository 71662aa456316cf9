#pragma once
// The playlist window.

#include "windows/form.h"

class Label;

class Form4 : public FormWindow {
    Q_OBJECT
public:
    Form4();

    Label* Label1; // title strip
};
