#pragma once
// Filling and rebuilding the song list, and the commands that do it.

#include <QString>

class Dialogs;
class Form1;
class Form2;
class FileListBox;
class ListBox;

namespace MP3Mod {

// Lists the folder in files, then appends its songs: song list names to
// names, full paths to paths.
void FillSongList(FileListBox& files, ListBox& names, ListBox& paths, const QString& folder);
// Rebuilds the lists from the song directory with plain file names, then
// thanks the user for a second.
void RefreshSongList(Form1& form1, ListBox& nameList, ListBox& pathList);

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
