#pragma once
// The playlist window.

#include "windows/form.h"

class QLabel;

class Form4 : public FormWindow {
    Q_OBJECT
  public:
    Form4();

    QLabel* Label1; // title strip
};
