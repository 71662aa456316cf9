#pragma once
// The song info window: at start-up it plays a random song and shows its tag;
// its double-click brings up the other windows while the song fades out.

#include <QString>

class Form1;
class Form2;
class Form3;
class Form4;
class MediaPlayer;

class SongInfo {
public:
    SongInfo(Form1& form1, Form2& form2, Form3& form3, Form4& form4, MediaPlayer& media);

    // A song given to the program at its start plays instead of a random row.
    void SetFirstSong(const QString& path) { firstSong_ = path; }
    void Form3Load();
    void lblDblClickDblClick();

private:
    void OpenRandomRow();
    void OpenSong(const QString& path);
    void ShowTag();

    Form1& form1_;
    Form2& form2_;
    Form3& form3_;
    Form4& form4_;
    MediaPlayer& media_;
    QString firstSong_;
};
