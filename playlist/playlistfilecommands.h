#pragma once
// Saving the playlist to a file in the program folder, and loading playlist
// files from there.

#include <QString>

class Dialogs;
class Form4;

class PlaylistFileCommands {
public:
    PlaylistFileCommands(Form4& form4, Dialogs& dialogs, QString programFolder);

    void SaveplaylistClick();
    void LoadPlaylist1Click();
    // Loads the file chosen in the chooser.
    void LoaditClick();

private:
    QString InFolder(const QString& name) const;
    bool Save(const QString& path);
    void Load(const QString& path);
    void RefillNames();

    Form4& form4_;
    Dialogs& dialogs_;
    QString folder_;
};
