#include "playlist/playlistautoadvance.h"

#include <QAction>

#include "base/common.h"
#include "base/mediaplayer.h"
#include "base/names.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "controls/timer.h"
#include "windows/form2.h"
#include "windows/form4.h"

namespace {

const QString Resting = QStringLiteral("Playlist Status.");

} // namespace

PlaylistAutoAdvance::PlaylistAutoAdvance(Form2& form2, Form4& form4, MediaPlayer& media)
    : form2_(form2), form4_(form4), media_(media) {}

void PlaylistAutoAdvance::AutoNextClick() {
    const bool on = !form4_.AutoNext->isChecked();
    form4_.AutoNext->setChecked(on);
    form4_.Timer1->SetEnabled(on);
    form4_.Stats3->setText(on ? QStringLiteral("Playlist auto-next enabled.")
                              : QStringLiteral("Playlist auto-next disabled."));
}

void PlaylistAutoAdvance::AutoRepeatClick() {
    const bool on = !form4_.AutoRepeat->isChecked();
    form4_.AutoRepeat->setChecked(on);
    form4_.Timer2->SetEnabled(on);
}

void PlaylistAutoAdvance::Timer1Tick() {
    if (!MP3Mod::SongEnded(media_))
        return;
    ListBox& names = *form4_.List1;
    if (names.ListIndex() != names.ListCount() - 1) {
        form4_.Stats3->setText(QStringLiteral("Playlist Auto-Next triggered next song."));
        form4_.Entries->Step(1);
        MP3Mod::WaitSeconds(0.25);
        MP3Mod::OpenSelectedPath(media_, *form4_.Entries);
        form2_.Stats2->setText(MP3Mod::SongDisplayName(media_.CurrentFile()));
        MP3Mod::WaitSeconds(3);
        form4_.Stats3->setText(Resting);
        return;
    }
    form4_.Stats3->setText(QStringLiteral("Playlist Exhausted, Auto-next Disabled."));
    form2_.Stats2->setText(QStringLiteral("No song."));
    form4_.AutoNext->setChecked(false);
    form4_.Timer1->SetEnabled(false);
    MP3Mod::WaitSeconds(0.25);
    form4_.Stats3->setText(Resting);
}

void PlaylistAutoAdvance::Timer2Tick() {
    ListBox& names = *form4_.List1;
    if (!MP3Mod::SongEnded(media_) || names.ListCount() == 0)
        return;
    if (names.ListIndex() < 0)
        form4_.Entries->Select(0); // with no entry selected, it starts with the first
    MP3Mod::OpenSelectedPath(media_, *form4_.Entries);
    // The next entry to play; after the last one it starts over.
    const int next = names.ListIndex() + 1;
    form4_.Entries->Select(next < names.ListCount() ? next : 0);
}
