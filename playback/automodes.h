#pragma once
// The automatic play modes: Auto next, Auto previous, Auto random and Sleep
// mode. Each is a checked menu item and a main-window timer that looks once a
// second whether the song has ended.

#include <functional>

class Dialogs;
class Form1;
class Form2;
class MediaPlayer;

class AutoModes {
public:
    AutoModes(Form1& form1, Form2& form2, MediaPlayer& media, Dialogs& dialogs,
              std::function<void()> endProgram);

    void AutoNextClick();
    void AutoPreviousClick();
    void AutoRandomClick();
    void SleepClick();
    void Timer2Tick(); // Auto random
    void Timer3Tick(); // Sleep mode
    void Timer4Tick(); // Sleep mode's minutes
    void Timer5Tick(); // Auto previous
    void Timer6Tick(); // Auto next

private:
    void RandomAdvance(bool allowZero);
    void SelectRandomRow(bool allowZero);
    void TurnOffAutoNext();
    void TurnOffAutoPrevious();

    Form1& form1_;
    Form2& form2_;
    MediaPlayer& media_;
    Dialogs& dialogs_;
    std::function<void()> endProgram_;
};
