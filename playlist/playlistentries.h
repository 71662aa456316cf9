#pragma once
// The playlist window's own commands: its start, selection, playing an entry,
// and adding, removing and clearing entries.

#include <QStringList>
#include <Qt>

class Dialogs;
class Form1;
class Form4;
class MediaPlayer;

class PlaylistEntries {
public:
    PlaylistEntries(Form1& form1, Form4& form4, MediaPlayer& media, Dialogs& dialogs);

    void Form4Load();
    // A click on the window's background selects no entry.
    void FormMouseDown(Qt::MouseButton button);
    void Label2Click();
    void List1MouseDown(Qt::MouseButton button);
    void List1DblClick();
    void Additem1Click();
    void RemoveItemClick();
    void ClearListClick();

    // Asks for a text and appends every song of the song list whose shown name
    // holds it (blanks and letter case aside).
    void AddMatchingSongs();

    // Appends the song files (name and path) and plays the first of them as
    // a double-click on its entry does.
    void OpenSongs(const QStringList& paths);
    // Songs dropped onto the window: each one that is not an MP3 file is
    // refused with a message; the others are opened.
    void FormFilesDropped(const QStringList& uris);
    // Appends the song files without playing them.
    void AppendSongs(const QStringList& paths);

private:
    Form1& form1_;
    Form4& form4_;
    MediaPlayer& media_;
    Dialogs& dialogs_;
};
