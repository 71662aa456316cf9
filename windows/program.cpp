#include "windows/program.h"

#include "library/timer.h"
#include "panel/slider.h"
#include "windows/label.h"
#include "windows/listbox.h"

#include <QAction>

Program::Program(MediaPlayer& media, Dialogs& dialogs, ProgramPaths paths)
    : paths_(std::move(paths)), startup_(form1, form2, form3, form4, dialogs, paths_.settingsFile),
      songList_(form1, form2, dialogs), tagPopup_(form1, media), songChoice_(form1, form2, media),
      songInfo_(form1, form2, form3, form4, media), controlPanel_(form1, form2, media),
      soundEffects_(form1, form2, media, dialogs) {
    Wire();
}

void Program::Start() {
    startup_.Form1Load();
}

void Program::Wire() {
    form2.SetLoadHandler([this] { controlPanel_.Form2Load(); });
    form3.SetLoadHandler([this] { songInfo_.Form3Load(); });

    QObject::connect(form1.Refreshlist, &QAction::triggered,
                     [this] { songList_.RefreshlistClick(); });
    QObject::connect(form1.AddDirectory, &QAction::triggered,
                     [this] { songList_.AddDirectoryClick(); });
    QObject::connect(form1.List1, &ListBox::Click, [this] { songChoice_.List1Click(); });
    QObject::connect(form1.List1, &ListBox::DoubleClick, [this] { songChoice_.List1DblClick(); });
    QObject::connect(form1.TheID3, &Label::Click, [this] { tagPopup_.TheID3Click(); });
    QObject::connect(form3.lblDblClick, &Label::DblClick,
                     [this] { songInfo_.lblDblClickDblClick(); });
    WireControlPanel();
    WireSoundEffects();
}

void Program::WireControlPanel() {
    ControlPanel& panel = controlPanel_;
    QObject::connect(form2.Timer1, &Timer::Tick, [&panel] { panel.Timer1Tick(); });
    QObject::connect(form2.Timer2, &Timer::Tick, [&panel] { panel.Timer2Tick(); });
    QObject::connect(form2.Timer3, &Timer::Tick, [&panel] { panel.Timer3Tick(); });
    QObject::connect(form2.bar, &Slider::ValueChanged, [&panel] { panel.barValueChanged(); });
    QObject::connect(form2.bar, &Slider::Released, [&panel] { panel.barReleased(); });
    QObject::connect(form2.lblpause, &Label::Click, [&panel] { panel.lblpauseClick(); });
    QObject::connect(form2.lblstop, &Label::Click, [&panel] { panel.lblstopClick(); });
    QObject::connect(form2.lblRefresh, &Label::Click, [this] { songList_.lblRefreshClick(); });
}

void Program::WireSoundEffects() {
    SoundEffects& effects = soundEffects_;
    QObject::connect(form2.bar2, &Slider::ValueChanged,
                     [&effects](int, int value) { effects.bar2ValueChanged(value); });
    QObject::connect(form2.bar3, &Slider::ValueChanged,
                     [&effects](int, int value) { effects.bar3ValueChanged(value); });
    QObject::connect(form2.Volume, &Slider::ValueChanged,
                     [&effects](int, int value) { effects.VolumeValueChanged(value); });
    QObject::connect(form2.Volume, &Slider::Released, [&effects] { effects.VolumeReleased(); });
    QObject::connect(form1.Mute, &QAction::triggered, [&effects] { effects.MuteClick(); });
    QObject::connect(form1.RateEffect, &QAction::triggered,
                     [&effects] { effects.RateEffectClick(); });
    QObject::connect(form1.ResetEffects, &QAction::triggered,
                     [&effects] { effects.ResetEffectsClick(); });
    QObject::connect(form1.SetBalanceToMiddle, &QAction::triggered,
                     [&effects] { effects.SetBalanceToMiddleClick(); });
    QObject::connect(form1.List1, &ListBox::MouseDown,
                     [&effects](Qt::MouseButton button) { effects.List1MouseDown(button); });
}
