#pragma once
// The transport commands of the song list's menu: next, previous, random,
// repeat, stop and pause.

class Dialogs;
class Form1;
class MediaPlayer;
class SongChoice;

class Transport {
public:
    Transport(Form1& form1, MediaPlayer& media, Dialogs& dialogs, SongChoice& choice);

    void NextClick();
    void PreviousClick();
    // Whether Next and Previous would move to another row, rather than
    // refuse or do nothing.
    bool CanGoNext() const;
    bool CanGoPrevious() const;
    void RandomClick();
    void RepeatClick();
    void Stop1Click();
    void Pause1Click();

private:
    void Refuse(const char* message);

    Form1& form1_;
    MediaPlayer& media_;
    Dialogs& dialogs_;
    SongChoice& choice_;
};
