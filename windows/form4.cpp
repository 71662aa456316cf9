#include "windows/form4.h"

#include "windows/label.h"

Form4::Form4() : FormWindow(QStringLiteral("Form4"), QStringLiteral("Tunevault playlist")) {
    Label1 = AddLabel("Label1", QStringLiteral("Tunevault \u203A By kelm \u203A Playlist form"),
                      150, -15, 3765, 210);
}
