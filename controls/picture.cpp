#include "controls/picture.h"

#include <QImageReader>
#include <QPixmapCache>

namespace MP3Mod {

QPixmap Picture(const QString& resource) {
    QPixmap picture;
    if (QPixmapCache::find(resource, &picture))
        return picture;
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    picture = QPixmap::fromImage(reader.read());
    QPixmapCache::insert(resource, picture);
    return picture;
}

} // namespace MP3Mod
