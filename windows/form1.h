#pragma once
// The main window: the song list, the tag boxes, the status line, and the
// hidden labels and lists that hold the program's state.

#include "windows/form.h"

class FileListBox;
class ListBox;
class ListPair;
class QAction;
class Label;
class QLineEdit;
class QMenu;
class Timer;

class Form1 : public FormWindow {
    Q_OBJECT
public:
    Form1();

    Label* Label2; // title strip
    Label* TheID3; // shown while rolled up
    Label* Exit;
    QLineEdit* Artist;
    QLineEdit* Album;
    QLineEdit* Title;
    QLineEdit* Year;
    Label* RateEFX;     // rate effect as typed, covered by the song list
    ListBox* List1;     // song names
    Label* Stats;       // status line
    Label* Final;       // width accumulator
    Label* Rep;         // path of the song last chosen
    Label* dir;         // the song directory
    Label* lblmins;     // minutes of sleep mode so far
    Label* lblrandom;   // the row last drawn at random
    ListBox* List2;     // full paths, row for row with List1
    ListPair* Songs;    // keeps List1 and List2 row for row
    ListBox* List3;     // scratch list for counting
    FileListBox* File1; // the song folder's files, read to fill the lists

    // Once a second unless said otherwise.
    Timer* Timer1; // no handler, so its clock never runs
    Timer* Timer2; // auto random: plays the row drawn, draws the next
    Timer* Timer3; // sleep mode: a random song after each, the end after an hour
    Timer* Timer4; // sleep mode: counts the minutes in lblmins (once a minute)
    Timer* Timer5; // auto previous: plays the row above
    Timer* Timer6; // auto next: plays the row below

    QMenu* Whatever; // commands of the song list; items without a handler
                     // (AutoRepeat, FastForward, ChangeDirectory) show, do nothing
    QAction* AutoNext;
    QAction* AutoPrevious;
    QAction* AutoRandom;
    QAction* AutoRepeat;
    QAction* Sleep;
    QAction* CountString;
    QAction* DeleteMP3;
    QAction* FastForward;
    QAction* Mute;
    QAction* Next;
    QAction* Pause1;
    QAction* Previous;
    QAction* Random;
    QAction* Refreshlist;
    QAction* Renamemp3;
    QAction* Repeat;
    QAction* SetBalanceToMiddle;
    QAction* Stop1;
    QAction* AddDirectory;
    QAction* AddPlaylistString;
    QAction* AddToPlaylist;
    QAction* ChangeDirectory;
    QAction* RateEffect;
    QAction* ResetEffects;

    QMenu* Stuff; // window background
    QAction* Minimize;
    QMenu* Other; // title strip; its three items show, do nothing
    QAction* About;
    QAction* Greets;
    QAction* Help;
    QMenu* ID3Stuff; // tag of the playing song: its items are captions only
    QAction* Artist1;
    QAction* Song1;
    QAction* Year1;
    QAction* Album1;

signals:
    // A press on the window's own background.
    void MouseDown(Qt::MouseButton button);
    // The mouse moved over the background, the title, the song list, the
    // status line or a tag box.
    void MouseMove();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void WatchMouseMoves();
    void CreateControls();
    void CreateWhateverMenu();
    void CreateSmallMenus();
};
