#pragma once
// The song info window shown alone at start-up.

#include "windows/form.h"

class QLabel;

class Form3 : public FormWindow {
    Q_OBJECT
  public:
    Form3();

    QLabel* Label2; // title strip
};
