#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/slider.h"
#include "controls/timer.h"
#include "library/songinfo.h"
#include "tests/support/id3block.h"
#include "tests/support/programfixture.h"
#include "windows/windowing.h"

class SongInfoTest : public ProgramTest {
protected:
    QStringList shownTag() {
        const Form3& form3 = program->form3;
        return {form3.lblArtist->text(), form3.lblTitle->text(), form3.lblalbum->text(),
                form3.lblYear->text()};
    }
};

TEST_F(SongInfoTest, LoadPlaysTheOnlySongAtFullVolumeWithLowerCasedTag) {
    const QString folder = music.makeFolder("Old.Mp3s");
    music.write("Old.Mp3s/My_Song.MP3",
                QByteArray(300, 'a') + Id3Block({"Loud TITLE", "THE ARTIST", "", "1987"}));
    storeDirectory(folder);
    start();
    EXPECT_EQ(media.opened, QStringList({folder + "/My_Song.MP3"}));
    EXPECT_EQ(program->form3.lblrandom->text(), "0");
    EXPECT_EQ(media.volumes, std::vector<int>({0, 0})); // the panel set 100: full
    // The name is cut on the whole lower-cased path, here inside the folder's name.
    EXPECT_EQ(program->form2.Stats2->text(), "old");
    EXPECT_EQ(shownTag(), QStringList({"the artist", "loud title", "n/a", "1987"}));
    EXPECT_TRUE(program->form2.Timer3->Enabled());
    EXPECT_TRUE(program->form3.isVisible());
}

TEST_F(SongInfoTest, EmptySongListStillShowsTheWindow) {
    storeDirectory(music.path());
    start();
    EXPECT_TRUE(media.opened.isEmpty());
    EXPECT_EQ(shownTag(), QStringList({"n/a", "n/a", "n/a", "n/a"}));
    EXPECT_TRUE(program->form3.isVisible());
}

TEST_F(SongInfoTest, DoubleClickBringsUpTheWindowsAndFadesTheSongOut) {
    music.write("a.mp3");
    storeDirectory(music.path());
    start();
    media.volumes.clear();
    QString statusDuringFade;
    bool listEnabledDuringFade = true;
    media.onVolume = [&](int volume) {
        if (volume == -1000) {
            statusDuringFade = program->form1.Stats->text();
            listEnabledDuringFade = program->form1.List1->isEnabled();
        }
    };
    emit program->form3.lblDblClick->DblClick();
    EXPECT_FALSE(program->form3.isVisible());
    EXPECT_TRUE(program->form1.isVisible());
    EXPECT_TRUE(program->form2.isVisible());
    EXPECT_TRUE(program->form4.isVisible());
    EXPECT_EQ(statusDuringFade, "Please wait.");
    EXPECT_FALSE(listEnabledDuringFade);
    std::vector<int> fade;
    for (int v = 0; v >= -2500; v -= 250)
        fade.push_back(v);
    fade.push_back(0);
    EXPECT_EQ(media.volumes, fade);
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Stopped);
    EXPECT_EQ(program->form2.Volume->Value(), 100);
    EXPECT_TRUE(program->form1.List1->isEnabled());
    EXPECT_EQ(program->form1.Stats->text(), "Thank you for waiting.");
}

TEST(ShrinkAndHide, EndsAndHidesWhateverTheDivisor) {
    for (int divisor : {2, 100, 1000}) {
        FormWindow form("shrinking", "shrinking");
        form.SetLeft(1500);
        form.SetTop(1500);
        form.show();
        MP3Mod::ShrinkAndHide(form, divisor);
        EXPECT_FALSE(form.isVisible());
        EXPECT_LE(std::min(form.Width(), form.Height()), 120 + 15);
        if (divisor == 100) { // small steps keep it roughly around its centre
            EXPECT_NEAR(form.Left() + form.Width() / 2.0, 1500 + 3975 / 2.0, 100);
            EXPECT_NEAR(form.Top() + form.Height() / 2.0, 1500 + 2310 / 2.0, 100);
        }
    }
}

TEST_F(SongInfoTest, ClosingTheWindowFromTheDesktopGoesOnToTheOthers) {
    music.write("a.mp3");
    storeDirectory(music.path());
    start();
    EXPECT_FALSE(program->form3.close());
    EXPECT_FALSE(program->form3.isVisible());
    EXPECT_TRUE(program->form1.isVisible());
    EXPECT_EQ(program->form1.Stats->text(), "Thank you for waiting.");
}
