#include "windows/form1.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include "base/names.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "controls/popups.h"
#include "controls/timer.h"

Form1::Form1() : FormWindow(QStringLiteral("Form1"), QStringLiteral("Tunevault")) {
    CreateControls();
    CreateWhateverMenu();
    CreateSmallMenus();
    WatchMouseMoves();
}

void Form1::WatchMouseMoves() {
    for (QWidget* watched : std::initializer_list<QWidget*>{this, Label2, List1->viewport(), Stats,
                                                            Artist, Title, Album, Year}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        emit MouseMove();
    return FormWindow::eventFilter(watched, event);
}

void Form1::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
}

// The song list's keys take F10 with any modifier (it adds the selected
// song to the playlist), so Shift+F10 there opens no menu; the Menu key does.
void Form1::keyPressEvent(QKeyEvent* event) {
    if (focusWidget() == List1 && MP3Mod::IsMenuKey(*event))
        return;
    FormWindow::keyPressEvent(event);
}

void Form1::CreateControls() {
    Label2 = AddLabel("Label2", QStringLiteral("Tunevault \u203A By kelm \u203A Startup form"), 555,
                      0, 2835, 210);
    // The buttons are named for assistive tools by what they do.
    TheID3 = AddLabel("TheID3", QStringLiteral("ID3"), 45, 0, 255, 180, Label::Press::Click);
    TheID3->setAccessibleName(QStringLiteral("Song tags"));
    TheID3->hide();
    Exit = AddLabel("Exit", QStringLiteral("X"), 3750, 0, 180, 285, Label::Press::Click);
    Exit->setAccessibleName(QStringLiteral("Exit"));
    auto textBox = [this](const char* name, const QString& text, int l, int t, int w, int h) {
        auto* box = new QLineEdit(text, this);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(QString::fromLatin1(name));
        PlaceTwips(box, l, t, w, h);
        return box;
    };
    Artist = textBox("Artist", QStringLiteral("ID3 Artist"), 735, 255, 1215, 285);
    Album = textBox("Album", QStringLiteral("ID3 Album"), 1920, 255, 1230, 285);
    Title = textBox("Title", QStringLiteral("ID3 Title"), 735, 495, 1215, 270);
    Year = textBox("Year", QStringLiteral("ID3 Year"), 1905, 495, 1245, 270);
    RateEFX = AddLabel("RateEFX", QStringLiteral("0.0"), 1365, 765, 1215, 495);
    List1 = new ListBox(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("Songs"));
    PlaceTwips(List1, 210, 810, 3585, 1200);
    Stats = AddLabel("Stats", QString(), 15, 1995, 3885, 285);
    Final = AddLabel("Final", QStringLiteral("0"), 1365, 765, 1215, 495);
    Rep = AddLabel("Rep", QString(), 1365, 765, 1215, 495);
    dir = AddLabel("dir", QStringLiteral("/home/kelm/mp3s/"), 1365, 765, 1215, 495);
    for (Label* hidden : {Final, Rep, dir})
        hidden->hide();
    lblmins = AddLabel("lblmins", QStringLiteral("0"), 4995, 930, 1215, 495);
    lblrandom = AddLabel("lblrandom", QStringLiteral("Label2"), 4995, 885, 1215, 495);
    List2 = new ListBox(this);
    List2->setObjectName(QStringLiteral("List2"));
    PlaceTwips(List2, -255, 2205, 420, 225);
    List2->hide();
    Songs = new ListPair(*List1, *List2, this);
    List3 = new ListBox(this);
    List3->setObjectName(QStringLiteral("List3"));
    PlaceTwips(List3, 1695, 1185, 105, 225);
    List3->hide();
    File1 = new FileListBox(this, MP3Mod::SongPattern);
    File1->setObjectName(QStringLiteral("File1"));
    PlaceTwips(File1, 465, 270, 105, 225);
    File1->hide();

    Timer1 = new Timer(1000, this);
    Timer2 = new Timer(1000, this);
    Timer3 = new Timer(1000, this);
    Timer4 = new Timer(60000, this);
    Timer5 = new Timer(1000, this);
    Timer6 = new Timer(1000, this);
}

void Form1::CreateWhateverMenu() {
    Whatever = NewMenu("Whatever", QStringLiteral("Whatever"));
    AutoNext = AddItem(Whatever, "AutoNext", QStringLiteral("Auto next"), true);
    AutoPrevious = AddItem(Whatever, "AutoPrevious", QStringLiteral("Auto previous"), true);
    AutoRandom = AddItem(Whatever, "AutoRandom", QStringLiteral("Auto random"), true);
    AutoRepeat = AddItem(Whatever, "AutoRepeat", QStringLiteral("Auto repeat"));
    Sleep = AddItem(Whatever, "Sleep", QStringLiteral("Sleep mode"), true);
    Whatever->addSeparator();
    CountString = AddItem(Whatever, "CountString", QStringLiteral("Count String"));
    DeleteMP3 = AddItem(Whatever, "DeleteMP3", QStringLiteral("Delete Song"));
    FastForward = AddItem(Whatever, "FastForward", QStringLiteral("Fast Forward"));
    Mute = AddItem(Whatever, "Mute", QStringLiteral("Mute song"), true);
    Next = AddItem(Whatever, "Next", QStringLiteral("Next"));
    Pause1 = AddItem(Whatever, "Pause1", QStringLiteral("Pause"));
    Previous = AddItem(Whatever, "Previous", QStringLiteral("Previous"));
    Random = AddItem(Whatever, "Random", QStringLiteral("Random"));
    Refreshlist = AddItem(Whatever, "Refreshlist", QStringLiteral("Refresh list"));
    Renamemp3 = AddItem(Whatever, "Renamemp3", QStringLiteral("Rename mp3"));
    Repeat = AddItem(Whatever, "Repeat", QStringLiteral("Repeat"));
    SetBalanceToMiddle =
        AddItem(Whatever, "SetBalanceToMiddle", QStringLiteral("Set balance to middle"));
    Stop1 = AddItem(Whatever, "Stop1", QStringLiteral("Stop"), true);
    Whatever->addSeparator();
    AddDirectory = AddItem(Whatever, "AddDirectory", QStringLiteral("Add Directory"));
    AddPlaylistString =
        AddItem(Whatever, "AddPlaylistString", QStringLiteral("Add string to Playlist"));
    AddToPlaylist = AddItem(Whatever, "AddToPlaylist", QStringLiteral("Add To Playlist"));
    ChangeDirectory = AddItem(Whatever, "ChangeDirectory", QStringLiteral("Change directory"));
    Whatever->addSeparator();
    RateEffect = AddItem(Whatever, "RateEffect", QStringLiteral("Rate Effect:"));
    ResetEffects = AddItem(Whatever, "ResetEffects", QStringLiteral("Reset Effects"));
}

void Form1::CreateSmallMenus() {
    Stuff = NewMenu("Stuff", QStringLiteral("Stuff"));
    Minimize = AddItem(Stuff, "Minimize", QStringLiteral("Minimize"));
    Other = NewMenu("Other", QStringLiteral("Other"));
    About = AddItem(Other, "About", QStringLiteral("About"));
    Greets = AddItem(Other, "Greets", QStringLiteral("Greets"));
    Help = AddItem(Other, "Help", QStringLiteral("Help"));
    ID3Stuff = NewMenu("ID3Stuff", QStringLiteral("ID3 Stuff"));
    Artist1 = AddItem(ID3Stuff, "Artist1", QStringLiteral("Artist:"));
    Song1 = AddItem(ID3Stuff, "Song1", QStringLiteral("Song:"));
    Year1 = AddItem(ID3Stuff, "Year1", QStringLiteral("Year:"));
    Album1 = AddItem(ID3Stuff, "Album1", QStringLiteral("Album:"));
}
