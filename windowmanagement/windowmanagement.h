#pragma once
// Moving the main window with its companions, rolling the windows up to
// their title strips and down again, minimising them together, and exit.

#include <functional>

#include <Qt>

class Dialogs;
class Form1;
class Form2;
class Form4;
class FormWindow;

class WindowManagement {
public:
    WindowManagement(Form1& form1, Form2& form2, Form4& form4, Dialogs& dialogs,
                     std::function<void()> endProgram);

    // Right button: the Stuff menu; any other: the user drags the window.
    void Form1MouseDown(Qt::MouseButton button);
    // Right button on the title: the Other menu.
    void Label2MouseDown(Qt::MouseButton button);
    // Rolls the three windows up to their title strips, or down again.
    void Label2DblClick();
    // The companions come back if minimised, and stand below the main window.
    void Form1MouseMove();
    void Form2MouseMove();
    void ExitClick();
    void MinimizeClick();
    // Brings the three windows up, restored from minimised, the main one in front.
    void ShowWindows();

private:
    void RestoreCompanions();

    Form1& form1_;
    Form2& form2_;
    Form4& form4_;
    Dialogs& dialogs_;
    std::function<void()> endProgram_;
};
