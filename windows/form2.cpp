#include "windows/form2.h"

#include "library/timer.h"
#include "panel/slider.h"
#include "windows/label.h"

Form2::Form2() : FormWindow(QStringLiteral("Form2"), QStringLiteral("Tunevault control panel")) {
    Label1 = AddLabel("Label1", QStringLiteral("Tunevault \u203A By kelm \u203A Control form"), 645,
                      30, 2820, 210);
    Volume = new Slider(this, 1, 100, 1);
    Volume->setObjectName(QStringLiteral("Volume"));
    PlaceTwips(Volume, 1290, 690, 540, 255);
    mp3Count = AddLabel("mp3Count", QStringLiteral("mp3counthere"), 120, 1440, 3855, 225);
    Stats2 = AddLabel("Stats2", QStringLiteral("No Song Playing."), 105, 1800, 3840, 210);
    Timer1 = new Timer(1000, this);
    Timer2 = new Timer(1000, this);
    Timer3 = new Timer(1000, this);
}
