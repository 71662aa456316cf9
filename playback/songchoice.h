#pragma once
// Choosing a song in the song list and playing it.

class Form1;
class Form2;
class MediaPlayer;

class SongChoice {
public:
    SongChoice(Form1& form1, Form2& form2, MediaPlayer& media);

    // A click (or any change of the selection) lets the seek slider follow
    // the playing song again.
    void List1Click();
    // A double-click plays the row, then shows status texts for 18 seconds.
    void List1DblClick();
    // Plays the selected row: name on the control panel, tag in the boxes.
    void PlaySelectedSong();

    // Sizes the control panel's song line from the text it shows now.
    void SizeSongLine();
    // Shows the song just opened: its name on the control panel, its tag in
    // the tag boxes, and its path as the song to repeat.
    void ShowOpenedSong();
    // Fills the four tag boxes from the loaded song's tag.
    void FillTagBoxes();
    // Waits, handling events, until the player has opened the song (or failed to).
    void WaitUntilLoaded();
    // Sizes the song line, draws a row, selects it after a moment and opens it.
    // False when there is no row to play.
    bool OpenRandomRow();

private:
    Form1& form1_;
    Form2& form2_;
    MediaPlayer& media_;
};
