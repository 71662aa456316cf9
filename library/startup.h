#pragma once
// Start-up: find the song directory (or ask for it on the first run), fill the
// song list, show the song info window and place the windows.

#include <future>

#include <QString>

#include "base/files.h"

class Dialogs;
class Form1;
class Form2;
class Form3;
class Form4;

class Startup {
public:
    Startup(Form1& form1, Form2& form2, Form3& form3, Form4& form4, Dialogs& dialogs,
            QString settingsFile);

    // Lists the song folder stored in the settings file, so that it can be
    // done on another thread while the windows are built.
    static MP3Mod::FolderListing ListStoredFolder(const QString& settingsFile);

    // The load handler of the main window; a listing made ahead of time is
    // used when it lists the stored folder.
    void Form1Load(std::future<MP3Mod::FolderListing> early = {});

private:
    static QString StoredDirectory(const QString& settingsFile);
    void FirstRun();
    QString AskDirectory(const QString& prompt);
    void FillLists(const QString& folder, std::future<MP3Mod::FolderListing> early = {});
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
