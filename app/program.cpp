#include "app/program.h"

#include <QAction>

#include "base/mediaplayer.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/slider.h"
#include "controls/timer.h"

namespace {

// A menu item's click. A checkable item's mark is the handler's to set, so the
// mark Qt has already flipped is put back first.
void OnClick(QAction* item, std::function<void()> handler) {
    QObject::connect(item, &QAction::triggered, [item, handler = std::move(handler)] {
        if (item->isCheckable())
            item->setChecked(!item->isChecked());
        handler();
    });
}

void OnTick(Timer* timer, std::function<void()> handler) {
    QObject::connect(timer, &Timer::Tick, std::move(handler));
}

} // namespace

Program::Program(MediaPlayer& media, Dialogs& dialogs, ProgramPaths paths,
                 std::function<void()> terminate)
    : media_(media), paths_(std::move(paths)), terminate_(std::move(terminate)),
      startup_(form1, form2, form3, form4, dialogs, paths_.settingsFile),
      songList_(form1, form2, dialogs), tagPopup_(form1, media), songChoice_(form1, form2, media),
      songInfo_(form1, form2, form3, form4, media), controlPanel_(form1, form2, media),
      soundEffects_(form1, form2, media, dialogs), transport_(form1, media, dialogs, songChoice_),
      autoModes_(form1, form2, media, dialogs, [this] { End(); }),
      playlistEntries_(form1, form4, media, dialogs),
      playlistFiles_(form4, dialogs, paths_.dataFolder), playlistAdvance_(form2, form4, media),
      songFiles_(form1, form4, dialogs), songListKeys_(form1, songChoice_, songFiles_),
      windows_(form1, form2, form4, dialogs, [this] { End(); }),
      mediaCommands_(form1, form2, media,
                     {songChoice_, transport_, controlPanel_, soundEffects_,
                      [this] { ShowWindows(); },
                      [this](const QStringList& songs) { playlistEntries_.OpenSongs(songs); },
                      [this] {
                          End();
                      }}),
      mediaKeys_(mediaCommands_) {
    Wire();
}

void Program::Start(const QStringList& songs) {
    songInfo_.SetFirstSong(songs.value(0));
    startup_.Form1Load();
    playlistEntries_.AppendSongs(songs);
}

void Program::End() {
    for (FormWindow* form : std::initializer_list<FormWindow*>{&form1, &form2, &form3, &form4})
        form->hide();
    media_.Stop();
    terminate_();
}

// The desktop's raise: before the main windows have come up, as the song info
// window's double-click; afterwards they are brought back.
void Program::ShowWindows() {
    if (form3.isVisible())
        songInfo_.lblDblClickDblClick();
    else
        windows_.ShowWindows();
}

void Program::Wire() {
    form2.SetLoadHandler([this] { controlPanel_.Form2Load(); });
    form3.SetLoadHandler([this] { songInfo_.Form3Load(); });
    form4.SetLoadHandler([this] { playlistEntries_.Form4Load(); });

    OnClick(form1.Refreshlist, [this] { songList_.RefreshlistClick(); });
    OnClick(form1.AddDirectory, [this] { songList_.AddDirectoryClick(); });
    QObject::connect(form1.List1, &ListBox::Click, [this] { songChoice_.List1Click(); });
    QObject::connect(form1.List1, &ListBox::DoubleClick, [this] { songChoice_.List1DblClick(); });
    QObject::connect(form1.TheID3, &Label::Click, [this] { tagPopup_.TheID3Click(); });
    QObject::connect(form3.lblDblClick, &Label::DblClick,
                     [this] { songInfo_.lblDblClickDblClick(); });
    // Closing the song info window from the desktop goes on as its double-click does.
    QObject::connect(&form3, &FormWindow::CloseRequested, [this] {
        if (form3.isVisible())
            songInfo_.lblDblClickDblClick();
    });
    WireControlPanel();
    WireSoundEffects();
    WireTransport();
    WireAutoModes();
    WirePlaylist();
    WireSongFiles();
    WireWindowManagement();
}

void Program::WireControlPanel() {
    ControlPanel& panel = controlPanel_;
    OnTick(form2.Timer1, [&panel] { panel.Timer1Tick(); });
    // The desktop's view of the player follows with the time labels.
    QObject::connect(form2.Timer1, &Timer::Tick, &mediaCommands_, &MediaCommands::Changed);
    OnTick(form2.Timer2, [&panel] { panel.Timer2Tick(); });
    OnTick(form2.Timer3, [&panel] { panel.Timer3Tick(); });
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
    OnClick(form1.Mute, [&effects] { effects.MuteClick(); });
    OnClick(form1.RateEffect, [&effects] { effects.RateEffectClick(); });
    OnClick(form1.ResetEffects, [&effects] { effects.ResetEffectsClick(); });
    OnClick(form1.SetBalanceToMiddle, [&effects] { effects.SetBalanceToMiddleClick(); });
    QObject::connect(form1.List1, &ListBox::MouseDown,
                     [&effects](Qt::MouseButton button) { effects.List1MouseDown(button); });
}

void Program::WireTransport() {
    Transport& transport = transport_;
    OnClick(form1.Next, [&transport] { transport.NextClick(); });
    OnClick(form1.Previous, [&transport] { transport.PreviousClick(); });
    OnClick(form1.Random, [&transport] { transport.RandomClick(); });
    OnClick(form1.Repeat, [&transport] { transport.RepeatClick(); });
    OnClick(form1.Stop1, [&transport] { transport.Stop1Click(); });
    OnClick(form1.Pause1, [&transport] { transport.Pause1Click(); });
}

void Program::WireAutoModes() {
    AutoModes& modes = autoModes_;
    OnClick(form1.AutoNext, [&modes] { modes.AutoNextClick(); });
    OnClick(form1.AutoPrevious, [&modes] { modes.AutoPreviousClick(); });
    OnClick(form1.AutoRandom, [&modes] { modes.AutoRandomClick(); });
    OnClick(form1.Sleep, [&modes] { modes.SleepClick(); });
    OnTick(form1.Timer2, [&modes] { modes.Timer2Tick(); });
    OnTick(form1.Timer3, [&modes] { modes.Timer3Tick(); });
    OnTick(form1.Timer4, [&modes] { modes.Timer4Tick(); });
    OnTick(form1.Timer5, [&modes] { modes.Timer5Tick(); });
    OnTick(form1.Timer6, [&modes] { modes.Timer6Tick(); });
}

void Program::WirePlaylist() {
    PlaylistEntries& entries = playlistEntries_;
    QObject::connect(&form4, &Form4::MouseDown,
                     [&entries](Qt::MouseButton button) { entries.FormMouseDown(button); });
    QObject::connect(form4.Label2, &Label::Click, [&entries] { entries.Label2Click(); });
    // The Menu key opens the window's one menu, as its "Options" label does.
    QObject::connect(&form4, &Form4::MenuKey, [&entries] { entries.Label2Click(); });
    QObject::connect(form4.List1, &ListBox::MouseDown,
                     [&entries](Qt::MouseButton button) { entries.List1MouseDown(button); });
    QObject::connect(form4.List1, &ListBox::DoubleClick, [&entries] { entries.List1DblClick(); });
    QObject::connect(&form4, &Form4::FilesDropped,
                     [&entries](const QStringList& uris) { entries.FormFilesDropped(uris); });
    OnClick(form4.Additem1, [&entries] { entries.Additem1Click(); });
    OnClick(form4.RemoveItem, [&entries] { entries.RemoveItemClick(); });
    OnClick(form4.ClearList, [&entries] { entries.ClearListClick(); });

    PlaylistFileCommands& files = playlistFiles_;
    OnClick(form4.Saveplaylist, [&files] { files.SaveplaylistClick(); });
    OnClick(form4.LoadPlaylist1, [&files] { files.LoadPlaylist1Click(); });
    QObject::connect(form4.Loadit, &Label::Click, [&files] { files.LoaditClick(); });

    PlaylistAutoAdvance& advance = playlistAdvance_;
    OnClick(form4.AutoNext, [&advance] { advance.AutoNextClick(); });
    OnClick(form4.AutoRepeat, [&advance] { advance.AutoRepeatClick(); });
    OnTick(form4.Timer1, [&advance] { advance.Timer1Tick(); });
    OnTick(form4.Timer2, [&advance] { advance.Timer2Tick(); });
}

void Program::WireSongFiles() {
    SongFiles& files = songFiles_;
    OnClick(form1.DeleteMP3, [&files] { files.DeleteMP3Click(); });
    OnClick(form1.Renamemp3, [&files] { files.Renamemp3Click(); });
    OnClick(form1.CountString, [&files] { files.CountStringClick(); });
    OnClick(form1.AddToPlaylist, [&files] { files.AddToPlaylistClick(); });
    OnClick(form1.AddPlaylistString, [this] { playlistEntries_.AddMatchingSongs(); });
    QObject::connect(form1.List1, &ListBox::KeyDown,
                     [this](int key) { songListKeys_.List1KeyDown(key); });
}

void Program::WireWindowManagement() {
    WindowManagement& windows = windows_;
    QObject::connect(&form1, &Form1::MouseDown,
                     [&windows](Qt::MouseButton button) { windows.Form1MouseDown(button); });
    QObject::connect(&form1, &Form1::MenuKey,
                     [&windows] { windows.Form1MouseDown(Qt::RightButton); });
    QObject::connect(form1.Label2, &Label::MouseDown,
                     [&windows](Qt::MouseButton button) { windows.Label2MouseDown(button); });
    QObject::connect(form1.Label2, &Label::DblClick, [&windows] { windows.Label2DblClick(); });
    QObject::connect(&form1, &Form1::MouseMove, [&windows] { windows.Form1MouseMove(); });
    QObject::connect(&form2, &Form2::MouseMove, [&windows] { windows.Form2MouseMove(); });
    QObject::connect(form1.Exit, &Label::Click, [&windows] { windows.ExitClick(); });
    // Closing the main window or a companion from the desktop asks, as the
    // main window's "X" does.
    for (FormWindow* form : std::initializer_list<FormWindow*>{&form1, &form2, &form4})
        QObject::connect(form, &FormWindow::CloseRequested, [&windows] { windows.ExitClick(); });
    OnClick(form1.Minimize, [&windows] { windows.MinimizeClick(); });
}
