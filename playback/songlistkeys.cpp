#include "playback/songlistkeys.h"

#include <QAction>

#include "base/common.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "library/songlist.h"
#include "playback/songchoice.h"
#include "playback/songfiles.h"
#include "windows/form1.h"

SongListKeys::SongListKeys(Form1& form1, SongChoice& choice, SongFiles& files)
    : form1_(form1), choice_(choice), files_(files) {}

void SongListKeys::List1KeyDown(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return PlaySelected();
    case Qt::Key_R:
        return PlayRandom();
    case Qt::Key_F5:
        return MP3Mod::RefreshSongList(form1_);
    case Qt::Key_F10:
        return files_.AddToPlaylistClick();
    default:
        return;
    }
}

void SongListKeys::PlaySelected() {
    if (form1_.List1->ListIndex() < 0)
        return;
    choice_.PlaySelectedSong();
    MP3Mod::ShowStatus(*form1_.Stats, QStringLiteral("Song chosen."), 10);
}

void SongListKeys::PlayRandom() {
    if (!choice_.OpenRandomRow())
        return;
    choice_.WaitUntilLoaded();
    form1_.Stop1->setChecked(false);
    choice_.ShowOpenedSong();
    MP3Mod::ShowStatus(*form1_.Stats, QStringLiteral("Random song."), 5);
}
