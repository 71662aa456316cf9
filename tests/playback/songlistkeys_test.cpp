#include <QAction>
#include <QTest>

#include "controls/label.h"
#include "controls/listbox.h"
#include "tests/support/programfixture.h"
#include "tests/support/texthistory.h"

class SongListKeysTest : public ProgramTest {
protected:
    void SetUp() override {
        for (const char* name : {"One-A.mp3", "Two.mp3", "Three.mp3"})
            music.write(name);
        storeDirectory(music.path());
        start();
        media.opened.clear();
    }
    ListBox& list() { return *program->form1.List1; }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&list(), key, modifiers);
    }
};

TEST_F(SongListKeysTest, EnterPlaysTheSelectedRow) {
    list().SetListIndex(1);
    program->form1.Stop1->setChecked(true);
    TextHistory status(program->form1.Stats);
    press(Qt::Key_Return);
    EXPECT_EQ(media.opened, QStringList({music.at("Three.mp3")}));
    EXPECT_EQ(program->form2.Stats2->text(), "Three");
    EXPECT_FALSE(program->form1.Stop1->isChecked());
    EXPECT_EQ(status.changes(), QStringList({"Song chosen.", "Status bar."}));
    list().SetListIndex(-1);
    press(Qt::Key_Enter);
    EXPECT_EQ(media.opened.size(), 1);
}

TEST_F(SongListKeysTest, RWithAnyModifierPlaysARandomRow) {
    for (auto modifiers :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier)}) {
        TextHistory status(program->form1.Stats);
        const int before = int(media.opened.size());
        press(Qt::Key_R, modifiers);
        ASSERT_EQ(media.opened.size(), before + 1);
        const int row = program->form1.lblrandom->text().toInt();
        EXPECT_EQ(media.opened.last(), program->form1.List2->List(row));
        EXPECT_EQ(program->form1.Rep->text(), media.opened.last());
        EXPECT_EQ(status.changes(), QStringList({"Random song.", "Status bar."}));
    }
}

TEST_F(SongListKeysTest, F10TwiceAddsTheRowTwice) {
    list().SetListIndex(0);
    press(Qt::Key_F10);
    press(Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(program->form4.List1->Items(),
              QStringList({QString::fromUtf8("One \u203A A"), QString::fromUtf8("One \u203A A")}));
    EXPECT_EQ(program->form4.List2->Items(),
              QStringList({music.at("One-A.mp3"), music.at("One-A.mp3")}));
}

TEST_F(SongListKeysTest, DownKeepsThePathListInStepAndStopsAtTheLastRow) {
    list().SetListIndex(0);
    press(Qt::Key_Down);
    EXPECT_EQ(list().ListIndex(), 1);
    EXPECT_EQ(program->form1.List2->ListIndex(), 1);
    list().SetListIndex(2);
    press(Qt::Key_Down);
    EXPECT_EQ(list().ListIndex(), 2);
    EXPECT_EQ(program->form1.List2->ListIndex(), 2);
    EXPECT_TRUE(media.opened.isEmpty());
}

TEST_F(SongListKeysTest, F5RebuildsTheList) {
    TextHistory status(program->form1.Stats);
    press(Qt::Key_F5, Qt::AltModifier);
    EXPECT_EQ(list().Items(), QStringList({"One-A.mp3", "Three.mp3", "Two.mp3"}));
    EXPECT_EQ(status.changes(), QStringList({"Thank you for waiting.", ""}));
}
