#pragma once
// The "ID3" label of the rolled-up main window: a popup with the playing
// song's tag.

class Form1;
class MediaPlayer;

class TagPopup {
public:
    TagPopup(Form1& form1, MediaPlayer& media);

    void TheID3Click();

private:
    Form1& form1_;
    MediaPlayer& media_;
};
