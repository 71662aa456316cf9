#pragma once
// The program's own pictures (PNG files among its resources).

#include <QPixmap>
#include <QString>

namespace MP3Mod {

// The picture at a resource path, read as PNG without asking every image
// plugin whether it knows the file (each would be loaded to answer, which
// costs the start-up milliseconds). Read once and kept.
QPixmap Picture(const QString& resource);

} // namespace MP3Mod
