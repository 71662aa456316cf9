#pragma once
// Dialogs that answer from a script and remember what was shown.

#include <deque>
#include <vector>

#include "controls/dialogs.h"

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        bool input; // an input box, else a message box
        QString text;
        QString title;
        Icon icon = Icon::Information;
        Buttons buttons = Buttons::Ok;
    };

    // Answers given in turn; once they run out, input boxes are cancelled and
    // message boxes answered with OK or No.
    std::deque<QString> inputAnswers;
    std::deque<Answer> messageAnswers;
    std::vector<Shown> shown;

    QString InputBox(const QString& prompt, const QString& title) override {
        shown.push_back({true, prompt, title});
        return Next(inputAnswers, QString());
    }

    Answer MsgBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override {
        shown.push_back({false, text, title, icon, buttons});
        return Next(messageAnswers, buttons == Buttons::Ok ? Answer::Ok : Answer::No);
    }

private:
    template <typename T> static T Next(std::deque<T>& answers, T fallback) {
        if (answers.empty())
            return fallback;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
