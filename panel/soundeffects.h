#pragma once
// Rate, balance, volume and mute, from the control panel's sliders and the
// song list's commands.

#include <Qt>

class Dialogs;
class Form1;
class Form2;
class MediaPlayer;

class SoundEffects {
public:
    SoundEffects(Form1& form1, Form2& form2, MediaPlayer& media, Dialogs& dialogs);

    void bar2ValueChanged(int value);
    void bar3ValueChanged(int value);
    void VolumeValueChanged(int value);
    void VolumeReleased();
    void MuteClick();
    void RateEffectClick();
    void ResetEffectsClick();
    void SetBalanceToMiddleClick();
    // A right-click on the song list opens its command menu.
    void List1MouseDown(Qt::MouseButton button);

private:
    Form1& form1_;
    Form2& form2_;
    MediaPlayer& media_;
    Dialogs& dialogs_;
};
