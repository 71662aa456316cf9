#include "windows/form3.h"

#include <QLabel>

Form3::Form3() : FormWindow(QStringLiteral("Form3")) {
    Label2 = AddLabel("Label2", QStringLiteral("Tunevault \u203A By kelm \u203A Startup form"), 60,
                      15, 3870, 210);
}
