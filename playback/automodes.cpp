#include "playback/automodes.h"

#include <QAction>

#include "base/common.h"
#include "base/mediaplayer.h"
#include "base/names.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "controls/timer.h"
#include "windows/form1.h"
#include "windows/form2.h"

namespace {

constexpr int SleepMinutes = 60;

QString ShownRowName(const QString& rowText) {
    return MP3Mod::CutMp3Extension(MP3Mod::UnderscoresToBlanks(rowText));
}

} // namespace

AutoModes::AutoModes(Form1& form1, Form2& form2, MediaPlayer& media, Dialogs& dialogs,
                     std::function<void()> endProgram)
    : form1_(form1), form2_(form2), media_(media), dialogs_(dialogs),
      endProgram_(std::move(endProgram)) {}

// Draws a row, keeps it in lblrandom and selects it.
void AutoModes::SelectRandomRow(bool allowZero) {
    const int row = MP3Mod::RandomIndex(form1_.List1->ListCount() - 1, allowZero);
    form1_.lblrandom->setText(QString::number(row));
    form1_.Songs->Select(form1_.lblrandom->text().toInt());
}

void AutoModes::RandomAdvance(bool allowZero) {
    if (form1_.List1->ListCount() == 0)
        return;
    form1_.lblrandom->setText(
        QString::number(MP3Mod::RandomIndex(form1_.List1->ListCount() - 1, true)));
    MP3Mod::WaitSeconds(0.55);
    form1_.Songs->Select(form1_.lblrandom->text().toInt());
    MP3Mod::WaitSeconds(0.55);
    SelectRandomRow(allowZero); // the next song
    MP3Mod::WaitSeconds(10);
    form1_.Stats->setText(QStringLiteral("Next song: ") +
                          ShownRowName(form1_.List1->List(form1_.List1->ListIndex())));
    form2_.Stats2->setText(QStringLiteral("This song: ") +
                           MP3Mod::SongDisplayName(media_.CurrentFile()));
}

void AutoModes::TurnOffAutoNext() {
    form1_.AutoNext->setChecked(false);
    form1_.Timer6->SetEnabled(false);
}

void AutoModes::TurnOffAutoPrevious() {
    form1_.AutoPrevious->setChecked(false);
    form1_.Timer5->SetEnabled(false);
}

void AutoModes::AutoNextClick() {
    if (form1_.AutoPrevious->isChecked() || form1_.AutoRandom->isChecked() ||
        form1_.Sleep->isChecked())
        return;
    const bool on = !form1_.AutoNext->isChecked();
    form1_.AutoNext->setChecked(on);
    form1_.Timer6->SetEnabled(on);
}

void AutoModes::Timer6Tick() {
    if (!MP3Mod::SongEnded(media_))
        return;
    ListBox& names = *form1_.List1;
    if (names.ListIndex() == names.ListCount() - 1) {
        TurnOffAutoNext(); // the last song has ended
        return;
    }
    form1_.Songs->Step(1);
    MP3Mod::OpenSelectedPath(media_, *form1_.Songs);
    TurnOffAutoPrevious();
}

void AutoModes::AutoPreviousClick() {
    if (form1_.AutoNext->isChecked() || form1_.AutoRandom->isChecked() || form1_.Sleep->isChecked())
        return;
    const bool on = !form1_.AutoPrevious->isChecked();
    form1_.AutoPrevious->setChecked(on);
    form1_.Timer5->SetEnabled(on);
}

void AutoModes::Timer5Tick() {
    if (!MP3Mod::SongEnded(media_))
        return;
    ListBox& names = *form1_.List1;
    if (names.ListIndex() <= 0)
        return; // waits on the first row
    form1_.Songs->Step(-1);
    MP3Mod::OpenSelectedPath(media_, *form1_.Songs);
    TurnOffAutoNext();
}

void AutoModes::AutoRandomClick() {
    if (form1_.AutoRandom->isChecked()) {
        const auto answer = dialogs_.MsgBox(QStringLiteral("Do you want to disable auto-random?"),
                                            QStringLiteral("Disable Auto Random?"),
                                            Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
        if (answer == Dialogs::Answer::Yes) {
            form1_.Timer2->SetEnabled(false);
            form1_.AutoRandom->setChecked(false);
        }
        return;
    }
    if (form1_.List1->ListCount() == 0)
        return; // no songs to play at random
    form1_.AutoRandom->setChecked(true);
    SelectRandomRow(true);
    MP3Mod::WaitSeconds(0.55);
    MP3Mod::OpenSelectedPath(media_, *form1_.Songs);
    MP3Mod::WaitSeconds(10);
    SelectRandomRow(true); // the next song
    const QString next = form1_.List1->List(form1_.List1->ListIndex()).toLower();
    form1_.Stats->setText(QStringLiteral("Next song: ") + ShownRowName(next));
    const QString file = MP3Mod::FileNameFromPath(media_.CurrentFile()).toLower();
    form2_.Stats2->setText(QStringLiteral("This song: ") + ShownRowName(file));
    MP3Mod::WaitSeconds(0.22);
    // Turned off during the waits: it stays off.
    if (form1_.AutoRandom->isChecked())
        form1_.Timer2->SetEnabled(true);
}

void AutoModes::Timer2Tick() {
    if (!MP3Mod::SongEnded(media_))
        return;
    MP3Mod::OpenSelectedPath(media_, *form1_.Songs);
    RandomAdvance(false);
}

void AutoModes::SleepClick() {
    if (form1_.Sleep->isChecked()) {
        form1_.Timer4->SetEnabled(false);
        form1_.Timer3->SetEnabled(false);
        form1_.Sleep->setChecked(false);
        return;
    }
    form1_.Timer3->SetEnabled(true);
    form1_.Timer4->SetEnabled(true);
    form1_.Sleep->setChecked(true);
    for (QAction* other : {form1_.AutoRandom, form1_.AutoNext, form1_.AutoPrevious})
        other->setChecked(false);
    for (Timer* other : {form1_.Timer2, form1_.Timer6, form1_.Timer5})
        other->SetEnabled(false);
}

void AutoModes::Timer4Tick() {
    form1_.lblmins->setText(QString::number(form1_.lblmins->text().toInt() + 1));
}

void AutoModes::Timer3Tick() {
    if (form1_.lblmins->text().toInt() >= SleepMinutes) {
        form1_.Timer3->SetEnabled(false);
        form1_.Sleep->setChecked(false);
        endProgram_();
        return;
    }
    if (!MP3Mod::SongEnded(media_))
        return;
    MP3Mod::OpenSelectedPath(media_, *form1_.Songs);
    RandomAdvance(true);
}
