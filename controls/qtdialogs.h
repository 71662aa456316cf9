#pragma once

#include "controls/dialogs.h"

// Dialogs as modal Qt input and message boxes, kept above the top-most windows.
class QtDialogs : public Dialogs {
public:
    QString InputBox(const QString& prompt, const QString& title) override;
    Answer MsgBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
};
