#pragma once
// The keys of the song list: Enter plays the selected song, R a random one,
// F5 rebuilds the list, F10 adds the selected song to the playlist, and Down
// keeps the path list in step. Modifier keys make no difference.

class Form1;
class SongChoice;
class SongFiles;

class SongListKeys {
public:
    SongListKeys(Form1& form1, SongChoice& choice, SongFiles& files);

    // Runs before the list's own handling of the key.
    void List1KeyDown(int key);

private:
    void PlaySelected();
    void PlayRandom();

    Form1& form1_;
    SongChoice& choice_;
    SongFiles& files_;
};
