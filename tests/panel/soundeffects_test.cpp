#include <QAction>
#include <QMenu>
#include <QTest>

#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/slider.h"
#include "tests/support/programfixture.h"
#include "tests/support/texthistory.h"

class SoundEffectsTest : public ProgramTest {
protected:
    void SetUp() override {
        storeDirectory(music.path());
        start();
        program->form2.show();
    }
    void answerRateEffect(const QString& answer) {
        dialogs.inputAnswers = {answer};
        form1().RateEffect->trigger();
    }
    // Moves a slider as the user does, one key press at a time.
    void moveTo(Slider* slider, int value) {
        while (slider->Value() != value)
            QTest::keyClick(slider, slider->Value() < value ? Qt::Key_Right : Qt::Key_Left);
    }
};

TEST_F(SoundEffectsTest, RateSliderTakesOffTheRateEffect) {
    answerRateEffect("0.5");
    EXPECT_EQ(form1().RateEFX->text(), "0.5");
    TextHistory status(form1().Stats);
    moveTo(form2().bar2, 3);
    EXPECT_DOUBLE_EQ(media.rate, 2.5);
    // The status line shows each rate for a moment, then its resting text.
    const QStringList rates = status.changes();
    EXPECT_TRUE(rates.contains("Media rate: 2") && rates.contains("Media rate: 3"))
        << rates.join('|').toStdString();
    EXPECT_EQ(rates.last(), "Status bar.");
    moveTo(form2().bar2, 1);
    EXPECT_DOUBLE_EQ(media.rate, 1.0);
    QTest::mousePress(form1().List1->viewport(), Qt::RightButton);
    EXPECT_EQ(form1().RateEffect->text(), "Rate effect: 1 + 0.5");
    EXPECT_TRUE(form1().Whatever->isVisible());
    form1().Whatever->hide();
}

TEST_F(SoundEffectsTest, RateEffectAnswers) {
    answerRateEffect("0.1");
    EXPECT_EQ(form1().RateEFX->text(), "0.1");
    answerRateEffect("0.99");
    EXPECT_EQ(form1().RateEFX->text(), "0.99");
    for (const char* answer : {"1", "0.05", "0", "abc", ""})
        answerRateEffect(answer);
    EXPECT_EQ(form1().RateEFX->text(), "0.99");
    ASSERT_EQ(dialogs.shown.size(), 2u + 5u + 4u);
    EXPECT_EQ(dialogs.shown[0].text, "Input a number from 0.1-0.99 to make the rate sound cooler.");
    EXPECT_EQ(dialogs.shown[0].title, "Input a number");
    auto message = [this](size_t i) {
        return dialogs.shown[i].title + " | " + dialogs.shown[i].text;
    };
    EXPECT_EQ(message(3), "Dumb people= | I said input a number between 0.1-0.99 not 0.1-1.");
    EXPECT_EQ(message(5), "duhhhh | I said 0.1 not 0.05");
    EXPECT_EQ(message(7), "duhhhh | I said 0.1 not 0");
    EXPECT_EQ(message(9), "duhhhh | I said 0.1 not abc");
    EXPECT_EQ(dialogs.shown[3].icon, Dialogs::Icon::Critical);
    form1().ResetEffects->trigger();
    EXPECT_EQ(form1().RateEFX->text(), "0.0");
}

TEST_F(SoundEffectsTest, BalanceReportsTheSideAndShowsItsValue) {
    moveTo(form2().bar3, 99);
    EXPECT_EQ(form1().Stats->text(), "Sound allocated to left speaker.");
    EXPECT_EQ(form2().lblstatic3->text(), "Balance: 99");
    EXPECT_EQ(form2().lblstatic3->Width(), 975);
    EXPECT_EQ(media.balance, -25);
    moveTo(form2().bar3, 101);
    EXPECT_EQ(form1().Stats->text(), "Sound allocated to right speaker.");
    EXPECT_EQ(form2().lblstatic3->text(), "Balance: 101");
    moveTo(form2().bar3, 100);
    EXPECT_EQ(form1().Stats->text(), "Sound allocated to middle.");
    EXPECT_EQ(form2().lblstatic3->text(), "Balance");
    EXPECT_EQ(form2().lblstatic3->Width(), 600);
    EXPECT_EQ(media.balance, 0);
}

TEST_F(SoundEffectsTest, BalanceToMiddleMovesThePointerOnly) {
    moveTo(form2().bar3, 180);
    form1().SetBalanceToMiddle->trigger();
    EXPECT_EQ(form2().bar3->Value(), 100);
    EXPECT_EQ(media.balance, 0);
    EXPECT_EQ(form1().Stats->text(), "Balance set to middle.");
    EXPECT_EQ(form2().lblstatic3->text(), "Balance: 180");
}

TEST_F(SoundEffectsTest, VolumeSliderSetsVolumeAndSaysSo) {
    TextHistory status(form1().Stats);
    moveTo(form2().Volume, 98);
    EXPECT_EQ(media.volume, -50);
    const QStringList texts = status.changes();
    EXPECT_TRUE(texts.contains("Volume: 99") && texts.contains("Volume: 98"))
        << texts.join('|').toStdString();
    EXPECT_EQ(texts.last(), "Status bar.");
    QTest::keyRelease(form2().Volume, Qt::Key_Left);
    EXPECT_EQ(media.volumes.back(), -50);
}

TEST_F(SoundEffectsTest, MuteTwice) {
    const int volume = media.volume;
    form1().Mute->trigger();
    EXPECT_EQ(form2().Volume->Value(), 0);
    EXPECT_TRUE(form1().Mute->isChecked());
    EXPECT_TRUE(media.muted);
    form1().Mute->trigger();
    EXPECT_EQ(form2().Volume->Value(), 75);
    EXPECT_FALSE(form1().Mute->isChecked());
    EXPECT_FALSE(media.muted);
    EXPECT_EQ(media.volume, volume); // only the pointer moved
}

TEST_F(SoundEffectsTest, OnlyTheRightButtonOpensTheMenu) {
    QTest::mousePress(form1().List1->viewport(), Qt::MiddleButton);
    EXPECT_FALSE(form1().Whatever->isVisible());
}
