#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/slider.h"
#include "controls/timer.h"
#include "playback/songchoice.h"
#include "tests/support/id3block.h"
#include "tests/support/programfixture.h"
#include "tests/support/texthistory.h"

class SongChoiceTest : public ProgramTest {
protected:
    void SetUp() override {
        music.write("Best_Song.mp3",
                    QByteArray(500, 'a') + Id3Block({"My_Title.mp3 remix", "Artist", "", "2001"}));
        music.write("Cut.mp3", QByteArray(500, 'a') + Id3Block({".mp3 start", "", "Album", ""}));
        music.write("Untagged.mp3", QByteArray(500, 'a'));
        storeDirectory(music.path());
        start();
        // Past the song info window, as a user is: the start-up ends with the
        // auto modes' timers off, so none advances at random under a slow test.
        emit program->form3.lblDblClick->DblClick();
        media.opened.clear();
    }
    SongChoice choice() { return {form1(), form2(), media}; }
    QStringList tagBoxes() {
        return {form1().Artist->text(), form1().Title->text(), form1().Album->text(),
                form1().Year->text()};
    }
};

TEST_F(SongChoiceTest, ClickKeepsThePathListOnTheRowAndStartsTheSeekTimer) {
    form2().Timer3->SetEnabled(false);
    select(2);
    EXPECT_EQ(form1().List2->ListIndex(), 2);
    EXPECT_TRUE(form2().Timer3->Enabled());
    select(-1);
    EXPECT_EQ(form1().List2->ListIndex(), -1);
}

TEST_F(SongChoiceTest, PathListFollowsEverySelectionChange) {
    ListBox& names = *form1().List1;
    // A list that gets the focus without a click has a current row but no
    // selected one; selecting that row from code is still a change.
    names.selectionModel()->setCurrentIndex(names.model()->index(0, 0),
                                            QItemSelectionModel::NoUpdate);
    ASSERT_EQ(names.ListIndex(), -1);
    select(0);
    EXPECT_EQ(form1().List2->ListIndex(), 0);
    // A Ctrl+click on the selected row clears both lists.
    form1().show();
    select(1);
    const QPoint onRow = names.visualRect(names.model()->index(1, 0)).center();
    QTest::mouseClick(names.viewport(), Qt::LeftButton, Qt::ControlModifier, onRow);
    EXPECT_EQ(names.ListIndex(), -1);
    EXPECT_EQ(form1().List2->ListIndex(), -1);
}

TEST_F(SongChoiceTest, NamesAndTagsShowAsPlainText) {
    music.write("<b>Bold &lt;3.mp3");
    form1().Refreshlist->trigger();
    select(0);
    emit form1().List1->DoubleClick();
    EXPECT_EQ(form2().Stats2->text(), "<b>Bold &lt;3");
    for (FormWindow* form : std::initializer_list<FormWindow*>{&program->form1, &program->form2,
                                                               &program->form3, &program->form4})
        for (const Label* label : form->findChildren<Label*>())
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

TEST_F(SongChoiceTest, PlayingShowsNameAndTagWithUnderscoresAndExtensionGone) {
    form2().Stats2->setText("No Song Playing.");
    form2().Volume->Value(40);
    form1().Stop1->setChecked(true);
    select(0);
    choice().PlaySelectedSong();
    EXPECT_EQ(media.opened, QStringList({music.path() + "/Best_Song.mp3"}));
    EXPECT_EQ(form2().Stats2->Width(), 195 * 17); // sized from "No Song Playing."
    EXPECT_EQ(form1().Final->text(), "0");
    EXPECT_EQ(form2().Stats2->text(), "Best Song");
    EXPECT_EQ(tagBoxes(), QStringList({"Artist", "My Title", "n/a", "2001"}));
    EXPECT_EQ(media.volume, -1500);
    EXPECT_FALSE(form1().Stop1->isChecked());
    EXPECT_EQ(form1().Rep->text(), music.path() + "/Best_Song.mp3");
}

TEST_F(SongChoiceTest, TitleCutToNothingSaysNoTitle) {
    select(1);
    choice().PlaySelectedSong();
    EXPECT_EQ(tagBoxes(), QStringList({"n/a", "no title", "Album", "n/a"}));
}

TEST_F(SongChoiceTest, UntaggedAndVanishedSongs) {
    select(2);
    choice().PlaySelectedSong();
    EXPECT_EQ(tagBoxes(), QStringList({"n/a", "n/a", "n/a", "n/a"}));
    QFile::remove(music.at("Cut.mp3"));
    select(1);
    choice().PlaySelectedSong();
    EXPECT_EQ(media.opened.last(), music.path() + "/Cut.mp3");
    EXPECT_EQ(tagBoxes(), QStringList({"no artist", "no title", "no album", "no year"}));
}

TEST_F(SongChoiceTest, WaitsWhileTheSongIsStillOpening) {
    media.openingReads = 3;
    select(0);
    choice().PlaySelectedSong();
    EXPECT_EQ(media.Position(), 0); // every opening read was used up by the wait
    EXPECT_EQ(form2().Stats2->text(), "Best Song");
}

TEST_F(SongChoiceTest, DoubleClickPlaysAgainAndWritesTheStatusTexts) {
    TextHistory status(form1().Stats);
    select(0);
    emit form1().List1->DoubleClick();
    EXPECT_EQ(status.changes(),
              QStringList({"Song chosen.", "Status bar.",
                           "Tired of double clicking? next time press enter.", "Status bar."}));
    emit form1().List1->DoubleClick();
    EXPECT_EQ(media.opened.size(), 2);
    EXPECT_EQ(media.opened[0], media.opened[1]);
}

TEST_F(SongChoiceTest, DoubleClickWithoutARowDoesNothing) {
    form1().show();
    select(1);
    // A press below the last row selects nothing, and so does the double-click.
    const QPoint below(5, form1().List1->viewport()->height() - 2);
    TextHistory status(form1().Stats);
    QTest::mouseDClick(form1().List1->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(form1().List1->ListIndex(), -1);
    EXPECT_EQ(form1().List2->ListIndex(), -1);
    EXPECT_TRUE(media.opened.isEmpty());
    EXPECT_TRUE(status.changes().isEmpty());
}
