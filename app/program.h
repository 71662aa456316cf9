#pragma once
// The whole program: its four windows and the handlers of every subsystem,
// wired together in one place.

#include <functional>

#include "desktop/mediacommands.h"
#include "desktop/mediakeys.h"
#include "library/songinfo.h"
#include "library/songlist.h"
#include "library/startup.h"
#include "library/tagpopup.h"
#include "panel/controlpanel.h"
#include "panel/soundeffects.h"
#include "playback/automodes.h"
#include "playback/songchoice.h"
#include "playback/songfiles.h"
#include "playback/songlistkeys.h"
#include "playback/transport.h"
#include "playlist/playlistautoadvance.h"
#include "playlist/playlistentries.h"
#include "playlist/playlistfilecommands.h"
#include "windowmanagement/windowmanagement.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/form4.h"

class Dialogs;
class MediaPlayer;

struct ProgramPaths {
    QString settingsFile; // mp3.ini
    QString dataFolder;   // where playlists live
};

class Program {
public:
    // terminate ends the process; the program calls it once its windows are
    // closed and playback has stopped.
    Program(MediaPlayer& media, Dialogs& dialogs, ProgramPaths paths,
            std::function<void()> terminate);

    // Runs the main window's load: the program's start. Songs given to the
    // program are appended to the playlist window, and the first of them
    // plays in the song info window instead of a random row.
    void Start(const QStringList& songs = {});
    // Ends the program at once: windows closed, playback stopped, nothing saved.
    void End();
    // The commands of the desktop's media controls.
    MediaCommands& MediaControls() { return mediaCommands_; }

    Form1 form1;
    Form2 form2;
    Form3 form3;
    Form4 form4;

private:
    void Wire();
    void WireControlPanel();
    void WireSoundEffects();
    void WireTransport();
    void WireAutoModes();
    void WirePlaylist();
    void WireSongFiles();
    void WireWindowManagement();
    void ShowWindows();

    MediaPlayer& media_;
    ProgramPaths paths_;
    std::function<void()> terminate_;
    Startup startup_;
    SongListCommands songList_;
    TagPopup tagPopup_;
    SongChoice songChoice_;
    SongInfo songInfo_;
    ControlPanel controlPanel_;
    SoundEffects soundEffects_;
    Transport transport_;
    AutoModes autoModes_;
    PlaylistEntries playlistEntries_;
    PlaylistFileCommands playlistFiles_;
    PlaylistAutoAdvance playlistAdvance_;
    SongFiles songFiles_;
    SongListKeys songListKeys_;
    WindowManagement windows_;
    MediaCommands mediaCommands_;
    MediaKeys mediaKeys_;
};
