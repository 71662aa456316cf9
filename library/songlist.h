#pragma once
// Filling and rebuilding the song list, and the commands that do it.

#include <QString>

class Dialogs;
class Form1;
class Form2;
class FileListBox;
class ListPair;

namespace MP3Mod {

// Lists the folder in files, then appends a row to songs for each of its
// songs: the song list name and the full path.
void FillSongList(FileListBox& files, ListPair& songs, const QString& folder);
// Rebuilds the song list from the song directory with plain file names, then
// thanks the user for a second.
void RefreshSongList(Form1& form1);

} // namespace MP3Mod

// The song list commands of the main window and the control panel.
class SongListCommands {
public:
    SongListCommands(Form1& form1, Form2& form2, Dialogs& dialogs);

    // Menu "Refresh list": rebuild and report the count.
    void RefreshlistClick();
    // Menu "Add Directory": append the songs of another folder.
    void AddDirectoryClick();
    // The control panel's refresh glyph: rebuild quietly.
    void lblRefreshClick();

private:
    Form1& form1_;
    Form2& form2_;
    Dialogs& dialogs_;
};
