#include "player/artcache.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include <QCryptographicHash>
#include <fcntl.h>
#include <sys/stat.h>

#include "base/files.h"

namespace fs = std::filesystem;

namespace {

QString PictureName(const QByteArray& picture) {
    return QString::fromLatin1(QCryptographicHash::hash(picture, QCryptographicHash::Sha1).toHex() +
                               (picture.startsWith("\x89PNG") ? ".png" : ".jpg"));
}

// The pictures a folder holds, least recently used first: by the time of
// their last use, which the cache keeps as the files' modification time.
std::vector<QString> PicturesByAge(const QString& folder) {
    std::vector<std::pair<fs::file_time_type, QString>> found;
    std::error_code error;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(MP3Mod::EncodeFileName(folder).toStdString(), error)) {
        const QString name = QString::fromStdString(entry.path().filename().string());
        if (entry.is_regular_file(error) &&
            (name.endsWith(QLatin1String(".png")) || name.endsWith(QLatin1String(".jpg"))))
            found.emplace_back(entry.last_write_time(error), name);
    }
    std::sort(found.begin(), found.end());
    std::vector<QString> names;
    for (auto& [time, name] : found)
        names.push_back(std::move(name));
    return names;
}

} // namespace

ArtCache::ArtCache(QString folder) : folder_(std::move(folder)) {
    worker_.setMaxThreadCount(1);
}

ArtCache::~ArtCache() {
    {
        const std::lock_guard lock(mutex_);
        pending_.reset();
    }
    worker_.waitForDone();
}

void ArtCache::Request(QByteArray picture, std::function<void(const QString&)> answer) {
    const std::lock_guard lock(mutex_);
    const bool queued = pending_.has_value();
    pending_ = Job{std::move(picture), std::move(answer)};
    if (!queued)
        worker_.start([this] { RunPending(); });
}

void ArtCache::RunPending() {
    std::optional<Job> job;
    {
        const std::lock_guard lock(mutex_);
        job.swap(pending_);
    }
    if (!job)
        return;
    const QString uri = Store(job->picture);
    QMetaObject::invokeMethod(
        this, [answer = std::move(job->answer), uri] { answer(uri); }, Qt::QueuedConnection);
}

QString ArtCache::Store(const QByteArray& picture) {
    const QString name = PictureName(picture);
    const QString path = folder_ + QLatin1Char('/') + name;
    if (MP3Mod::IsRegularFile(path))
        ::utimensat(AT_FDCWD, MP3Mod::EncodeFileName(path).constData(), nullptr, 0);
    else if (!MP3Mod::WriteFileWhole(path, picture).isEmpty())
        return {};
    Remember(name);
    return MP3Mod::FileUri(path);
}

// Puts the name last in the order of use, and removes the pictures beyond
// the last KeptPictures.
void ArtCache::Remember(const QString& name) {
    if (!seeded_) {
        recent_ = PicturesByAge(folder_);
        seeded_ = true;
    }
    recent_.erase(std::remove(recent_.begin(), recent_.end(), name), recent_.end());
    recent_.push_back(name);
    if (std::ssize(recent_) <= KeptPictures)
        return;
    const auto oldest = recent_.end() - KeptPictures;
    for (auto it = recent_.begin(); it != oldest; ++it)
        ::unlink(MP3Mod::EncodeFileName(folder_ + QLatin1Char('/') + *it).constData());
    recent_.erase(recent_.begin(), oldest);
}
