#include "library/songinfo.h"

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
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/windowing.h"

namespace {

constexpr int ShrinkDivisor = 100;
constexpr int FadeStep = -250;
constexpr int Quietest = -2500;

} // namespace

SongInfo::SongInfo(Form1& form1, Form2& form2, Form3& form3, Form4& form4, MediaPlayer& media)
    : form1_(form1), form2_(form2), form3_(form3), form4_(form4), media_(media) {}

void SongInfo::Form3Load() {
    MP3Mod::MakeTopMost(form3_);
    MP3Mod::CenterForm(form3_);
    form2_.EnsureLoaded();
    form2_.Timer3->SetEnabled(true);
    if (firstSong_.isEmpty())
        OpenRandomRow();
    else
        OpenSong(firstSong_);
    using namespace MP3Mod;
    form2_.Stats2->setText(
        FileNameFromPath(CutMp3Extension(UnderscoresToBlanks(media_.CurrentFile().toLower()))));
    media_.Volume(0);
    ShowTag();
}

void SongInfo::OpenRandomRow() {
    const int row = MP3Mod::RandomIndex(form1_.List1->ListCount() - 1, true);
    form3_.lblrandom->setText(QString::number(row));
    // With no songs there is no row to play; the window shows "n/a" then.
    // Only the path list is moved: the song list shows no selection until the
    // user picks a row, while Sleep's first turn plays this song again.
    if (row >= 0 && form1_.List2->SetListIndex(row))
        OpenSong(form1_.Songs->SelectedPath());
}

void SongInfo::OpenSong(const QString& path) {
    media_.OpenFile(path);
    media_.Volume(MP3Mod::SliderToPlayer(form2_.Volume->Value()));
}

void SongInfo::ShowTag() {
    using namespace MP3Mod;
    const struct {
        Label* label;
        QString (*field)(const QString&);
    } fields[] = {{form3_.lblArtist, ReadTagArtist},
                  {form3_.lblTitle, ReadTagTitle},
                  {form3_.lblalbum, ReadTagAlbum},
                  {form3_.lblYear, ReadTagYear}};
    for (const auto& entry : fields)
        entry.label->setText(entry.field(media_.CurrentFile()).toLower());
    for (const auto& entry : fields)
        if (entry.label->text().isEmpty())
            entry.label->setText(QStringLiteral("n/a"));
}

void SongInfo::lblDblClickDblClick() {
    MP3Mod::ShrinkAndHide(form3_, ShrinkDivisor);
    form2_.show();
    form1_.show();
    form4_.show();
    form1_.List1->setEnabled(false);
    form1_.Stats->setText(QStringLiteral("Please wait."));
    for (int volume = 0; volume >= Quietest; volume += FadeStep) {
        media_.Volume(volume);
        MP3Mod::WaitSeconds(0.55);
    }
    media_.Stop();
    media_.Volume(0);
    form2_.Volume->Value(100);
    MP3Mod::WaitSeconds(0.22);
    form1_.List1->setEnabled(true);
    form1_.Stats->setText(QStringLiteral("Thank you for waiting."));
}
