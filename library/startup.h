#pragma once
// Start-up: find the song directory (or ask for it on the first run), fill the
// song list, show the song info window and place the windows.

#include <QString>

class Dialogs;
class Form1;
class Form2;
class Form3;
class Form4;

class Startup {
public:
    Startup(Form1& form1, Form2& form2, Form3& form3, Form4& form4, Dialogs& dialogs,
            QString settingsFile);

    // The load handler of the main window.
    void Form1Load();

private:
    QString StoredDirectory() const;
    void FirstRun();
    void StoreDirectory(const QString& folder);
    QString AskDirectory(const QString& prompt);
    void FillLists(const QString& folder);
    void HideMainAndPanel();
    void ShowForm3();
    void Finish();

    Form1& form1_;
    Form2& form2_;
    Form3& form3_;
    Form4& form4_;
    Dialogs& dialogs_;
    QString settingsFile_;
};
