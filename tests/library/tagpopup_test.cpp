#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include "library/tagpopup.h"
#include "tests/support/fakemediaplayer.h"
#include "tests/support/id3block.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"
#include "windows/form1.h"

namespace {

QStringList Captions(const Form1& form1) {
    return {form1.Artist1->text(), form1.Song1->text(), form1.Album1->text(), form1.Year1->text()};
}

} // namespace

TEST(TagPopup, ShowsThePlayingSongsTagWithNameRulesApplied) {
    TestFolder songs;
    FakeMediaPlayer media;
    media.currentFile =
        songs.write("s.mp3", QByteArray(200, 'a') +
                                 Id3Block({"Cool_Song.MP3 (live)", "An_Artist", "", "1990"}));
    Form1 form1;
    TagPopup popup(form1, media);
    popup.TheID3Click();
    EXPECT_EQ(Captions(form1),
              QStringList({"Artist: An Artist", "Title: Cool Song", "Album: n/a", "Year: 1990"}));
    EXPECT_TRUE(form1.ID3Stuff->isVisible());
    form1.ID3Stuff->hide();

    media.currentFile = songs.at("gone.mp3");
    popup.TheID3Click();
    EXPECT_EQ(Captions(form1), QStringList({"Artist: ", "Title: ", "Album: ", "Year: "}));
    form1.ID3Stuff->hide();
}
