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

namespace MP3Mod {

// What became of a file to delete.
struct Deletion {
    enum class Outcome {
        Deleted, // in the trash, or deleted for good at the user's word
        Kept,    // the user said No
        Gone,    // it was gone already
        Failed,
    };
    Outcome outcome;
    QString failure; // with Failed: why
};

// Moves the file at path to the desktop's trash. Where no trash can take it,
// asks first whether to delete it for good (Yes, No).
Deletion MoveToTrashOrAsk(Dialogs& dialogs, const QString& path);

} // namespace MP3Mod
