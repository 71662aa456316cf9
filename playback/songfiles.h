#pragma once
// Commands on the song files of the song list: delete, rename, count by
// typed text, and add the selected song to the playlist.

#include <QString>

class Dialogs;
class Form1;
class Form4;

namespace MP3Mod {

// Renames the file at oldPath to newPath followed by ".mp3", never replacing a
// file that exists (even one made meanwhile). Says why when it cannot.
// Returns whether the file was renamed.
bool RenameSongFile(Dialogs& dialogs, const QString& oldPath, const QString& newPath);

} // namespace MP3Mod

class SongFiles {
public:
    SongFiles(Form1& form1, Form4& form4, Dialogs& dialogs);

    void DeleteMP3Click();
    void Renamemp3Click();
    void CountStringClick();
    void AddToPlaylistClick();

private:
    bool DeleteConfirmed(const QString& path);

    Form1& form1_;
    Form4& form4_;
    Dialogs& dialogs_;
};
