#include <QAction>
#include <QLineEdit>

#include "controls/label.h"
#include "controls/listbox.h"
#include "tests/support/programfixture.h"
#include "tests/support/texthistory.h"

class TransportTest : public ProgramTest {
protected:
    void SetUp() override { startWith({"a.mp3", "b.mp3", "c.mp3", "d.mp3"}); }
    QString path(const char* name) { return music.at(name); }
    void expectRefused(const QString& text) {
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, text);
        EXPECT_EQ(dialogs.shown[0].title, "Duh");
        EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
        EXPECT_TRUE(media.opened.isEmpty());
        dialogs.shown.clear();
    }
};

TEST_F(TransportTest, NextPlaysTheRowBelowAndRefusesAtTheEnd) {
    form1().Next->trigger(); // no row selected: the first
    EXPECT_EQ(media.opened, QStringList({path("a.mp3")}));
    EXPECT_EQ(form1().List1->ListIndex(), 0);
    EXPECT_EQ(form1().List2->ListIndex(), 0);
    select(3);
    media.opened.clear();
    form1().Next->trigger();
    expectRefused("You are on the last song of the list, You can't go above that.");
    EXPECT_EQ(form1().List1->ListIndex(), 3);
}

TEST_F(TransportTest, PreviousRefusesOnTheFirstAndTheLastRow) {
    select(2);
    form1().Previous->trigger();
    EXPECT_EQ(media.opened, QStringList({path("b.mp3")}));
    EXPECT_EQ(form1().List2->ListIndex(), 1);
    media.opened.clear();
    select(0);
    form1().Previous->trigger();
    expectRefused("You are on the first song of the list, You can't go below that.");
    select(3);
    form1().Previous->trigger();
    expectRefused("You are on the last song of the list, You can't go below that.");
    select(-1);
    form1().Previous->trigger();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(media.opened.isEmpty());
}

TEST_F(TransportTest, NextAndPreviousKeepTheChoiceForRepeat) {
    select(1);
    emit form1().List1->DoubleClick();
    const QStringList boxes = {form1().Artist->text(), form1().Title->text()};
    const QString name = program->form2.Stats2->text();
    form1().Next->trigger();
    form1().Previous->trigger();
    form1().Next->trigger();
    EXPECT_EQ(media.opened.last(), path("c.mp3"));
    EXPECT_EQ(QStringList({form1().Artist->text(), form1().Title->text()}), boxes);
    EXPECT_EQ(program->form2.Stats2->text(), name);
    form1().Repeat->trigger();
    EXPECT_EQ(media.opened.last(), path("b.mp3"));
    EXPECT_EQ(form1().List1->ListIndex(), 2); // Repeat does not move the selection
}

TEST_F(TransportTest, RandomPlaysARowWithNameTagAndHints) {
    TextHistory status(form1().Stats);
    form1().Random->trigger();
    ASSERT_EQ(media.opened.size(), 1);
    const int row = form1().lblrandom->text().toInt();
    EXPECT_EQ(form1().List1->ListIndex(), row);
    EXPECT_EQ(media.opened[0], form1().List2->List(row));
    EXPECT_EQ(form1().Rep->text(), media.opened[0]);
    EXPECT_EQ(program->form2.Stats2->text(), QString("abcd").mid(row, 1));
    EXPECT_EQ(form1().Title->text(), "n/a");
    EXPECT_EQ(status.changes(),
              QStringList(
                  {"Random song.", "Tired of right clicking? next time press R.", "Status bar."}));
}

TEST_F(TransportTest, StopTogglesAndPauseTurnsIntoResume) {
    form1().Stop1->trigger();
    EXPECT_TRUE(form1().Stop1->isChecked());
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Stopped);
    form1().Stop1->trigger();
    EXPECT_FALSE(form1().Stop1->isChecked());
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Playing);

    const QStringList hint = {"Getting tired of clicking? Press pause next time.", "Status bar."};
    TextHistory pausing(form1().Stats);
    form1().Pause1->trigger();
    EXPECT_EQ(form1().Pause1->text(), "Resume");
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Paused);
    EXPECT_EQ(pausing.changes(), hint);
    TextHistory resuming(form1().Stats);
    form1().Pause1->trigger();
    EXPECT_EQ(form1().Pause1->text(), "Pause");
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Playing);
    EXPECT_EQ(resuming.changes(), QStringList({hint[0], hint[1]}));
}

class TransportEdges : public TransportTest {
protected:
    void SetUp() override {}
};

TEST_F(TransportEdges, OneSongRefusesBothWays) {
    startWith({"only.mp3"});
    select(0);
    form1().Next->trigger();
    expectRefused("You are on the last song of the list, You can't go above that.");
    form1().Previous->trigger();
    expectRefused("You are on the first song of the list, You can't go below that.");
}

TEST_F(TransportEdges, EmptyListAndNoChoiceDoNothingHarmful) {
    startWith({});
    form1().Next->trigger(); // no row to go to, and none to be told about
    form1().Previous->trigger();
    form1().Random->trigger();
    form1().Repeat->trigger();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(media.opened.isEmpty());
    EXPECT_EQ(form1().Stats->text(), "");
}
