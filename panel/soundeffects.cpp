#include "panel/soundeffects.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "base/common.h"
#include "base/mediaplayer.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/slider.h"
#include "windows/form1.h"
#include "windows/form2.h"

namespace {

constexpr int Middle = 100;
constexpr int BalanceRestWidth = 600;
constexpr int BalanceValueWidth = 975;

} // namespace

SoundEffects::SoundEffects(Form1& form1, Form2& form2, MediaPlayer& media, Dialogs& dialogs)
    : form1_(form1), form2_(form2), media_(media), dialogs_(dialogs) {}

void SoundEffects::bar2ValueChanged(int value) {
    if (value > 1) {
        media_.Rate(form2_.bar2->Value() - MP3Mod::LeadingNumber(form1_.RateEFX->text()));
        MP3Mod::ShowStatus(*form1_.Stats, QStringLiteral("Media rate: ") + QString::number(value),
                           0.01);
    } else if (value == 1) {
        media_.Rate(1.0);
    }
}

void SoundEffects::bar3ValueChanged(int value) {
    media_.Balance(MP3Mod::SliderToPlayer(form2_.bar3->Value()));
    Label& readout = *form2_.lblstatic3;
    readout.SetWidth(BalanceValueWidth);
    readout.setText(QStringLiteral("Balance: ") + QString::number(value));
    if (value < Middle)
        form1_.Stats->setText(QStringLiteral("Sound allocated to left speaker."));
    if (value > Middle)
        form1_.Stats->setText(QStringLiteral("Sound allocated to right speaker."));
    if (value == Middle) {
        form1_.Stats->setText(QStringLiteral("Sound allocated to middle."));
        readout.setText(QStringLiteral("Balance"));
        readout.SetWidth(BalanceRestWidth);
    }
}

void SoundEffects::VolumeValueChanged(int value) {
    media_.Volume(MP3Mod::SliderToPlayer(value));
    MP3Mod::ShowStatus(*form1_.Stats, QStringLiteral("Volume: ") + QString::number(value), 0.15);
}

void SoundEffects::VolumeReleased() {
    VolumeValueChanged(form2_.Volume->Value());
}

void SoundEffects::MuteClick() {
    // Only the pointer moves; the player's volume stays as it was.
    const bool muted = media_.Mute();
    form2_.Volume->Value(muted ? 75 : 0);
    form1_.Mute->setChecked(!muted);
    media_.Mute(!muted);
}

void SoundEffects::RateEffectClick() {
    const QString answer = dialogs_.InputBox(
        QStringLiteral("Input a number from 0.1-0.99 to make the rate sound cooler."),
        QStringLiteral("Input a number"));
    if (answer.isEmpty())
        return;
    const double effect = MP3Mod::LeadingNumber(answer);
    if (effect > 0.99)
        dialogs_.MsgBox(QStringLiteral("I said input a number between 0.1-0.99 not 0.1-") + answer +
                            QLatin1Char('.'),
                        QStringLiteral("Dumb people="), Dialogs::Icon::Critical,
                        Dialogs::Buttons::Ok);
    else if (effect >= 0.1)
        form1_.RateEFX->setText(answer); // applies at the next change of the rate slider
    else
        dialogs_.MsgBox(QStringLiteral("I said 0.1 not ") + answer, QStringLiteral("duhhhh"),
                        Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
}

void SoundEffects::ResetEffectsClick() {
    form1_.RateEFX->setText(QStringLiteral("0.0"));
}

void SoundEffects::SetBalanceToMiddleClick() {
    form2_.bar3->Value(Middle);
    media_.Balance(MP3Mod::SliderToPlayer(form2_.bar3->Value()));
    MP3Mod::WaitSeconds(0.22);
    form1_.Stats->setText(QStringLiteral("Balance set to middle."));
}

void SoundEffects::List1MouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton)
        return;
    SetCaption(form1_.RateEffect, QStringLiteral("Rate effect: 1 + ") + form1_.RateEFX->text());
    form1_.Whatever->popup(QCursor::pos());
}
