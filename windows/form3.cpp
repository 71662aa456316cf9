#include "windows/form3.h"

#include "controls/label.h"

Form3::Form3() : FormWindow(QStringLiteral("Form3"), QStringLiteral("Tunevault song info")) {
    Label2 = AddLabel("Label2", QStringLiteral("Tunevault \u203A By kelm \u203A Startup form"), 60,
                      15, 3870, 210);
    lblrandom = AddLabel("lblrandom", QStringLiteral("0"), 1395, 240, 30, 30);
    lblDblClick = AddLabel("lblDblClick", QStringLiteral("Double click here to continue"), 1830,
                           465, 2055, 225, Label::Press::DblClick);
    lblDblClick->setAccessibleName(QStringLiteral("Continue"));
    lblDblClick->setCursor(Qt::PointingHandCursor);
    lblstatic = AddLabel("lblstatic", QStringLiteral("Artist:"), 345, 855, 420, 180);
    lblArtist = AddLabel("lblArtist", QString(), 840, 855, 2910, 210);
    lblstatic2 = AddLabel("lblstatic2", QStringLiteral("Title:"), 390, 1155, 360, 210);
    lblTitle = AddLabel("lblTitle", QString(), 810, 1155, 3120, 195);
    lblstatic3 = AddLabel("lblstatic3", QStringLiteral("Album:"), 345, 1470, 495, 225);
    lblalbum = AddLabel("lblalbum", QString(), 915, 1470, 3015, 210);
    lblstatic4 = AddLabel("lblstatic4", QStringLiteral("Year:"), 375, 1785, 435, 225);
    lblYear = AddLabel("lblYear", QString(), 840, 1785, 3075, 195);
}
