#include "windows/program.h"

#include "windows/label.h"
#include "windows/listbox.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

Program::Program(MediaPlayer& media, Dialogs& dialogs, ProgramPaths paths)
    : paths_(std::move(paths)), startup_(form1, form2, form3, form4, dialogs, paths_.settingsFile),
      songList_(form1, form2, dialogs), tagPopup_(form1, media), songChoice_(form1, form2, media),
      songInfo_(form1, form2, form3, form4, media) {
    Wire();
}

void Program::Start() {
    startup_.Form1Load();
}

void Program::Wire() {
    form3.SetLoadHandler([this] { songInfo_.Form3Load(); });

    QObject::connect(form1.Refreshlist, &QAction::triggered,
                     [this] { songList_.RefreshlistClick(); });
    QObject::connect(form1.AddDirectory, &QAction::triggered,
                     [this] { songList_.AddDirectoryClick(); });
    QObject::connect(form1.List1, &ListBox::Click, [this] { songChoice_.List1Click(); });
    QObject::connect(form1.List1, &ListBox::DoubleClick, [this] { songChoice_.List1DblClick(); });
    QObject::connect(form1.TheID3, &Label::Click, [this] { tagPopup_.TheID3Click(); });
    QObject::connect(form3.lblDblClick, &Label::DblClick,
                     [this] { songInfo_.lblDblClickDblClick(); });

    form1.List1->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(form1.List1, &QWidget::customContextMenuRequested,
                     [this] { form1.Whatever->popup(QCursor::pos()); });
}
