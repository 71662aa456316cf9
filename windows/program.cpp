#include "windows/program.h"

#include "windows/listbox.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

Program::Program(Dialogs& dialogs, ProgramPaths paths)
    : paths_(std::move(paths)), startup_(form1, form2, form3, form4, dialogs, paths_.settingsFile),
      songList_(form1, form2, dialogs) {
    Wire();
}

void Program::Start() {
    startup_.Form1Load();
}

void Program::Wire() {
    QObject::connect(form1.Refreshlist, &QAction::triggered,
                     [this] { songList_.RefreshlistClick(); });
    QObject::connect(form1.AddDirectory, &QAction::triggered,
                     [this] { songList_.AddDirectoryClick(); });
    form1.List1->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(form1.List1, &QWidget::customContextMenuRequested,
                     [this] { form1.Whatever->popup(QCursor::pos()); });
}
