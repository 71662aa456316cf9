#include "windows/form2.h"

#include "controls/label.h"
#include "controls/slider.h"
#include "controls/timer.h"

namespace {

// Range of a slider whose design settings give none.
constexpr int DefaultMinimum = 0;
constexpr int DefaultMaximum = 10;

} // namespace

Form2::Form2() : FormWindow(QStringLiteral("Form2"), QStringLiteral("Tunevault control panel")) {
    // A companion of the main window: no taskbar entry of its own.
    MarkCompanion();
    Label1 = AddLabel("Label1", QStringLiteral("Tunevault \u203A By kelm \u203A Control form"), 645,
                      30, 2820, 210);
    bar = AddSlider("bar", DefaultMinimum, DefaultMaximum, DefaultMinimum, 540, 690);
    Volume = AddSlider("Volume", 1, 100, 1, 1290, 690);
    bar2 = AddSlider("bar2", 1, DefaultMaximum, 1, 2040, 690);
    bar3 = AddSlider("bar3", DefaultMinimum, 200, DefaultMinimum, 2775, 705);
    lblstatic6 = AddLabel("lblstatic6", QStringLiteral("Duration"), 525, 945, 630, 225);
    lblstatic5 = AddLabel("lblstatic5", QStringLiteral("Volume"), 1335, 945, 540, 225);
    lblstatic4 = AddLabel("lblstatic4", QStringLiteral("Rate"), 2160, 945, 390, 225);
    lblstatic3 = AddLabel("lblstatic3", QStringLiteral("Balance"), 2805, 945, 600, 225);
    mp3Count = AddLabel("mp3Count", QStringLiteral("mp3counthere"), 120, 1440, 3855, 225);
    Stats2 = AddLabel("Stats2", QStringLiteral("No Song Playing."), 105, 1800, 3840, 210);
    lblplay = AddGlyph("lblplay", QStringLiteral("4"), 330, 1995, 120, 270);
    lblpause = AddGlyph("lblpause", PauseGlyph, 450, 1995, 90, 225, Label::Press::Click);
    lblstop = AddGlyph("lblstop", QStringLiteral("<"), 555, 1995, 135, 210, Label::Press::Click);
    lblRefresh =
        AddGlyph("lblRefresh", QStringLiteral("'"), 720, 2010, 150, 195, Label::Press::Click);
    Parttime = AddLabel("Parttime", QStringLiteral("0:00"), 2940, 2055, 450, 195);
    FullTime = AddLabel("FullTime", QStringLiteral("0:00"), 3465, 2055, 465, 195);
    // Named for assistive tools by what they do. The play glyph takes no
    // click: it only shows.
    lblplay->setAccessibleName(QStringLiteral("Play"));
    lblpause->setAccessibleName(PauseName);
    lblstop->setAccessibleName(QStringLiteral("Stop"));
    lblRefresh->setAccessibleName(QStringLiteral("Repeat"));
    bar->setAccessibleName(QStringLiteral("Position"));
    Volume->setAccessibleName(QStringLiteral("Volume"));
    bar2->setAccessibleName(QStringLiteral("Rate"));
    bar3->setAccessibleName(QStringLiteral("Balance"));
    Timer1 = new Timer(1000, this);
    Timer2 = new Timer(1000, this);
    Timer3 = new Timer(1000, this);
    setMouseTracking(true);
}

void Form2::mouseMoveEvent(QMouseEvent*) {
    emit MouseMove();
}

Slider* Form2::AddSlider(const char* name, int minimum, int maximum, int value, int left, int top) {
    auto* slider = new Slider(this, minimum, maximum, value);
    slider->setObjectName(QString::fromLatin1(name));
    PlaceTwips(slider, left, top, 540, 255);
    return slider;
}
