#include "panel/controlpanel.h"

#include "base/common.h"
#include "base/mediaplayer.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/slider.h"
#include "controls/timer.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/windowing.h"

namespace {

constexpr int ScrollStep = 3 * 30; // twips a tick: 30 moves of 3
constexpr int ScrollStart = 20;

// A label is drawn again only when its text changes.
void SetTextIfChanged(Label& label, const QString& text) {
    if (label.text() != text)
        label.setText(text);
}

} // namespace

ControlPanel::ControlPanel(Form1& form1, Form2& form2, MediaPlayer& media)
    : form1_(form1), form2_(form2), media_(media) {}

void ControlPanel::Form2Load() {
    form2_.mp3Count->setText(QStringLiteral("mp3 Count: ") +
                             QString::number(form1_.List1->ListCount()));
    form2_.bar3->Value(100);
    form2_.Volume->Value(100);
    for (Timer* timer : {form2_.Timer1, form2_.Timer2, form2_.Timer3})
        timer->SetEnabled(true);
    MP3Mod::MakeTopMost(form2_);
}

void ControlPanel::Timer1Tick() {
    SetTextIfChanged(*form2_.FullTime, MP3Mod::DurationText(media_));
    SetTextIfChanged(*form2_.Parttime, MP3Mod::PositionText(media_));
    // A song that plays into silence says so once, in the status line too.
    if (media_.Silent() && silencedSong_ != media_.CurrentFile()) {
        silencedSong_ = media_.CurrentFile();
        form1_.Stats->setText(QStringLiteral("No audio output could be opened; playing silently."));
    }
}

void ControlPanel::Timer2Tick() {
    Label& name = *form2_.Stats2;
    // Past this the whole text has left the window on the left side.
    const int gone = -name.Width();
    name.show();
    name.SetLeft(name.Left() > gone ? name.Left() - ScrollStep : ScrollStart);
}

void ControlPanel::Timer3Tick() {
    form2_.bar->Value(MP3Mod::RoundHalfEven(media_.Position()));
}

void ControlPanel::barValueChanged() {
    media_.Position(form2_.bar->Value());
    form2_.bar->Maximum(MP3Mod::RoundHalfEven(media_.Duration()));
    form2_.Timer3->SetEnabled(true);
}

void ControlPanel::barReleased() {
    form2_.bar->Value(MP3Mod::RoundHalfEven(media_.Position()));
    form2_.Timer3->SetEnabled(true);
}

void ControlPanel::lblpauseClick() {
    Label& glyph = *form2_.lblpause;
    if (glyph.Caption() == Form2::PauseGlyph) {
        glyph.SetCaption(Form2::ResumeGlyph);
        glyph.setAccessibleName(Form2::ResumeName);
        media_.Pause();
    } else if (glyph.Caption() == Form2::ResumeGlyph) {
        glyph.SetCaption(Form2::PauseGlyph);
        glyph.setAccessibleName(Form2::PauseName);
        media_.Play();
    }
}

void ControlPanel::lblstopClick() {
    media_.Stop();
}
