#pragma once
// The playlist window: an ordered list of songs, loaded from and saved to
// playlist files, able to play through itself.

#include "windows/form.h"

class FileListBox;
class ListBox;
class ListPair;
class QAction;
class QFrame;
class QMenu;
class Timer;

class Form4 : public FormWindow {
    Q_OBJECT
public:
    Form4();

    Label* Label1;      // title strip
    ListBox* List1;     // shown entries
    FileListBox* File1; // the playlist chooser, in the list's place
    Label* ThePlaylist; // path of the playlist last loaded, covered by the list
    Label* Label2;      // "Options": opens the menu
    Label* Loadit;      // loads the file chosen in the chooser
    Label* Stats3;      // playlist status line
    ListBox* List2;     // entries' full paths, row for row with List1
    ListPair* Entries;  // keeps List1 and List2 row for row
    QFrame* Line1;
    QFrame* Line3;

    Timer* Timer1; // Auto Next
    Timer* Timer2; // Auto Repeat

    QMenu* Stuff;
    QAction* Additem1;
    QAction* ClearList;
    QAction* RemoveItem;
    QAction* Saveplaylist;
    QAction* LoadPlaylist1;
    QAction* AutoNext;
    QAction* AutoRepeat;

signals:
    // A press on the window's own background.
    void MouseDown(Qt::MouseButton button);
    // Files dropped onto the window, as URIs.
    void FilesDropped(const QStringList& uris);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QFrame* AddLine(const char* name, const QColor& color, int left, int top, int width);
};
