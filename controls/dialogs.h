#pragma once
// The modal questions and messages the program shows. The program uses Qt's
// dialogs; tests answer from a script.

#include <QString>

class Dialogs {
public:
    enum class Icon { Information, Question, Exclamation, Critical };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;

    // Asks for a line of text with an empty answer field; empty on Cancel.
    virtual QString InputBox(const QString& prompt, const QString& title) = 0;
    virtual Answer MsgBox(const QString& text, const QString& title, Icon icon,
                          Buttons buttons) = 0;

    // The message of a failure: titled "Error.", with the critical icon and OK.
    void ShowError(const QString& text) {
        MsgBox(text, QStringLiteral("Error."), Icon::Critical, Buttons::Ok);
    }
};
