#include "playback/transport.h"

#include <QAction>

#include "base/common.h"
#include "base/mediaplayer.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "playback/songchoice.h"
#include "windows/form1.h"

Transport::Transport(Form1& form1, MediaPlayer& media, Dialogs& dialogs, SongChoice& choice)
    : form1_(form1), media_(media), dialogs_(dialogs), choice_(choice) {}

void Transport::Refuse(const char* message) {
    dialogs_.MsgBox(QString::fromLatin1(message), QStringLiteral("Duh"), Dialogs::Icon::Exclamation,
                    Dialogs::Buttons::Ok);
}

bool Transport::CanGoNext() const {
    const ListBox& names = *form1_.List1;
    return names.ListCount() > 0 && names.ListIndex() != names.ListCount() - 1;
}

bool Transport::CanGoPrevious() const {
    const ListBox& names = *form1_.List1;
    return names.ListIndex() > 0 && names.ListIndex() != names.ListCount() - 1;
}

void Transport::NextClick() {
    ListBox& names = *form1_.List1;
    if (!CanGoNext()) {
        if (names.ListCount() > 0) // with no rows there is nothing to say
            Refuse("You are on the last song of the list, You can't go above that.");
        return;
    }
    form1_.Songs->Step(1);
    MP3Mod::OpenSelectedPath(media_, *form1_.Songs);
}

void Transport::PreviousClick() {
    ListBox& names = *form1_.List1;
    if (names.ListIndex() < 0)
        return; // no row to go up from
    if (names.ListIndex() == 0) {
        Refuse("You are on the first song of the list, You can't go below that.");
        return;
    }
    if (names.ListIndex() == names.ListCount() - 1) {
        Refuse("You are on the last song of the list, You can't go below that.");
        return;
    }
    form1_.Songs->Step(-1);
    MP3Mod::OpenSelectedPath(media_, *form1_.Songs);
}

void Transport::RandomClick() {
    if (!choice_.OpenRandomRow())
        return;
    choice_.ShowOpenedSong();
    form1_.Stats->setText(QStringLiteral("Random song."));
    MP3Mod::WaitSeconds(5);
    MP3Mod::ShowStatus(*form1_.Stats, QStringLiteral("Tired of right clicking? next time press R."),
                       5);
}

void Transport::RepeatClick() {
    if (!form1_.Rep->text().isEmpty())
        media_.OpenFile(form1_.Rep->text());
}

void Transport::Stop1Click() {
    const bool stopped = form1_.Stop1->isChecked();
    form1_.Stop1->setChecked(!stopped);
    if (stopped)
        media_.Play();
    else
        media_.Stop();
}

void Transport::Pause1Click() {
    QAction& item = *form1_.Pause1;
    if (item.text() == QLatin1String("Pause")) {
        media_.Pause();
        item.setText(QStringLiteral("Resume"));
    } else if (item.text() == QLatin1String("Resume")) {
        media_.Play();
        item.setText(QStringLiteral("Pause"));
    } else {
        return;
    }
    MP3Mod::ShowStatus(*form1_.Stats,
                       QStringLiteral("Getting tired of clicking? Press pause next time."), 5);
}
