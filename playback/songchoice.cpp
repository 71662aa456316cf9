#include "playback/songchoice.h"

#include <algorithm>
#include <climits>

#include <QCoreApplication>
#include <QLineEdit>

#include "base/common.h"
#include "base/id3.h"
#include "base/mediaplayer.h"
#include "base/names.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "controls/slider.h"
#include "controls/timer.h"
#include "windows/form1.h"
#include "windows/form2.h"

namespace {

// Width allowed for each character of the song line, in twips.
constexpr int TwipsPerCharacter = 195;

} // namespace

SongChoice::SongChoice(Form1& form1, Form2& form2, MediaPlayer& media)
    : form1_(form1), form2_(form2), media_(media) {}

void SongChoice::List1Click() {
    form2_.Timer3->SetEnabled(true);
}

void SongChoice::List1DblClick() {
    if (form1_.List1->ListIndex() < 0)
        return;
    PlaySelectedSong();
    MP3Mod::ShowStatus(*form1_.Stats, QStringLiteral("Song chosen."), 10);
    MP3Mod::WaitSeconds(3);
    MP3Mod::ShowStatus(*form1_.Stats,
                       QStringLiteral("Tired of double clicking? next time press enter."), 5);
}

void SongChoice::PlaySelectedSong() {
    const QString path = form1_.Songs->SelectedPath();
    if (path.isEmpty())
        return;
    SizeSongLine();
    media_.OpenFile(path);
    form1_.Stop1->setChecked(false);
    WaitUntilLoaded();
    media_.Volume(MP3Mod::SliderToPlayer(form2_.Volume->Value()));
    ShowOpenedSong();
}

void SongChoice::ShowOpenedSong() {
    form2_.Stats2->setText(MP3Mod::SongDisplayName(media_.CurrentFile()));
    FillTagBoxes();
    form1_.Rep->setText(form1_.Songs->SelectedPath());
}

void SongChoice::SizeSongLine() {
    // The width is summed up in the hidden label Final, which is left at 0.
    Label& widthSum = *form1_.Final;
    for (qsizetype i = 0; i <= form2_.Stats2->text().size(); ++i)
        widthSum.setText(QString::number(widthSum.text().toLongLong() + TwipsPerCharacter));
    form2_.Stats2->SetWidth(int(std::min<long long>(widthSum.text().toLongLong(), INT_MAX)));
    widthSum.setText(QStringLiteral("0"));
}

void SongChoice::WaitUntilLoaded() {
    do {
        QCoreApplication::processEvents();
        MP3Mod::WaitSeconds(0.22);
    } while (media_.StillOpening());
}

bool SongChoice::OpenRandomRow() {
    if (form1_.List1->ListCount() == 0)
        return false;
    SizeSongLine();
    form1_.lblrandom->setText(
        QString::number(MP3Mod::RandomIndex(form1_.List1->ListCount() - 1, true)));
    MP3Mod::WaitSeconds(0.1);
    // The list may have been rebuilt during the wait: a row gone is not played.
    return form1_.Songs->Select(form1_.lblrandom->text().toInt()) &&
           MP3Mod::OpenSelectedPath(media_, *form1_.Songs);
}

void SongChoice::FillTagBoxes() {
    using namespace MP3Mod;
    const struct {
        QLineEdit* box;
        QString (*field)(const QString&);
        const char* missing;
    } boxes[] = {{form1_.Artist, ReadTagArtist, "no artist"},
                 {form1_.Title, ReadTagTitle, "no title"},
                 {form1_.Album, ReadTagAlbum, "no album"},
                 {form1_.Year, ReadTagYear, "no year"}};
    for (const auto& entry : boxes)
        entry.box->setText(CutMp3Extension(UnderscoresToBlanks(entry.field(media_.CurrentFile()))));
    for (const auto& entry : boxes)
        if (entry.box->text().isEmpty())
            entry.box->setText(QString::fromLatin1(entry.missing));
}
