#include "windows/form2.h"

#include <QLabel>

Form2::Form2() : FormWindow(QStringLiteral("Form2")) {
    Label1 = AddLabel("Label1", QStringLiteral("Tunevault \u203A By kelm \u203A Control form"), 645,
                      30, 2820, 210);
    mp3Count = AddLabel("mp3Count", QStringLiteral("mp3counthere"), 120, 1440, 3855, 225);
}
