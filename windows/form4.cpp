#include "windows/form4.h"

#include <QDropEvent>
#include <QFrame>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "controls/timer.h"

Form4::Form4() : FormWindow(QStringLiteral("Form4"), QStringLiteral("Tunevault playlist")) {
    // A companion of the main window: no taskbar entry of its own.
    MarkCompanion();
    setAcceptDrops(true); // songs dropped from a file manager
    Label1 = AddLabel("Label1", QStringLiteral("Tunevault \u203A By kelm \u203A Playlist form"),
                      150, -15, 3765, 210);
    ThePlaylist = AddLabel("ThePlaylist", QString(), 1365, 900, 1215, 495);
    List1 = new ListBox(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("Playlist"));
    PlaceTwips(List1, 285, 525, 3375, 1005);
    File1 = new FileListBox(this, QStringLiteral("*.m3u*"));
    File1->setObjectName(QStringLiteral("File1"));
    PlaceTwips(File1, 285, 525, 3375, 1005);
    File1->hide();
    Label2 =
        AddLabel("Label2", QStringLiteral("Options"), 1560, 1665, 585, 210, Label::Press::Click);
    Loadit = AddLabel("Loadit", QStringLiteral("Load"), 1665, 1665, 375, 225, Label::Press::Click);
    Loadit->hide();
    for (Label* opener : {Label2, Loadit})
        opener->setCursor(Qt::PointingHandCursor);
    Line1 = AddLine("Line1", QColor(0xc0, 0xc0, 0xc0), 15, 2010, 3945);
    Line3 = AddLine("Line3", Qt::white, 15, 2400, 3945); // below the window's visible area
    Stats3 = AddLabel("Stats3", QStringLiteral("Playlist Status."), 15, 2040, 3885, 195);
    List2 = new ListBox(this);
    List2->setObjectName(QStringLiteral("List2"));
    PlaceTwips(List2, -675, 60, 630, 255);
    List2->hide();
    Entries = new ListPair(*List1, *List2, this);

    Timer1 = new Timer(1000, this);
    Timer2 = new Timer(1000, this);

    Stuff = NewMenu("Stuff", QStringLiteral("Stuff"));
    Additem1 = AddItem(Stuff, "Additem1", QStringLiteral("Add Item"));
    ClearList = AddItem(Stuff, "ClearList", QStringLiteral("Clear List"));
    RemoveItem = AddItem(Stuff, "RemoveItem", QStringLiteral("Remove Item"));
    Saveplaylist = AddItem(Stuff, "Saveplaylist", QStringLiteral("Save Playlist"));
    LoadPlaylist1 = AddItem(Stuff, "LoadPlaylist1", QStringLiteral("Load Playlist"));
    Stuff->addSeparator();
    AutoNext = AddItem(Stuff, "AutoNext", QStringLiteral("Auto Next"), true);
    AutoRepeat = AddItem(Stuff, "AutoRepeat", QStringLiteral("Auto Repeat"), true);
    Stuff->addSeparator();
}

QFrame* Form4::AddLine(const char* name, const QColor& color, int left, int top, int width) {
    auto* line = new QFrame(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette look = line->palette();
    look.setColor(QPalette::Window, color);
    line->setPalette(look);
    line->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), 1);
    return line;
}

void Form4::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
}

void Form4::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Form4::dropEvent(QDropEvent* event) {
    QStringList uris;
    for (const QUrl& url : event->mimeData()->urls())
        uris.append(url.toString(QUrl::FullyEncoded));
    event->acceptProposedAction();
    emit FilesDropped(uris);
}
