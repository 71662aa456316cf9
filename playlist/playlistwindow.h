#pragma once
// The playlist window's own commands: its start, selection, playing an entry,
// and adding, removing and clearing entries.

#include <Qt>

class Dialogs;
class Form1;
class Form4;
class MediaPlayer;

class PlaylistWindow {
public:
    PlaylistWindow(Form1& form1, Form4& form4, MediaPlayer& media, Dialogs& dialogs);

    void Form4Load();
    // A click on the window's background selects no entry.
    void FormMouseDown(Qt::MouseButton button);
    void Label2Click();
    void List1MouseDown(Qt::MouseButton button);
    void List1Click();
    void List1DblClick();
    void Additem1Click();
    void RemoveItemClick();
    void ClearListClick();

    // Asks for a text and appends every song of the song list whose shown name
    // holds it (blanks and letter case aside).
    void AddMatchingSongs();

private:
    Form1& form1_;
    Form4& form4_;
    MediaPlayer& media_;
    Dialogs& dialogs_;
};
