#pragma once
// Cover pictures as files of a cache folder, named by their content, so that
// the desktop can show them. Hashing and writing a picture (tens of megabytes
// at worst) runs on the cache's own thread, never on the windows' thread, and
// the folder keeps the pictures of the last KeptPictures songs.
//
// Threads: Request and the destructor run on the windows' thread, and so do
// the answers (queued calls to it). The work runs on the one worker thread.
// Only pending_ is shared, under mutex_; recent_ and seeded_ belong to the
// worker thread.

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThreadPool>

class ArtCache : public QObject {
    Q_OBJECT
public:
    static constexpr int KeptPictures = 100;

    explicit ArtCache(QString folder);
    // Waits for the picture being written, if any; no answer comes after.
    ~ArtCache() override;

    // Stores the picture unless a file already holds it, then answers with
    // that file's file:// URI (empty when it cannot be written), on the
    // windows' thread. A request that replaces one not yet started is the
    // only one answered: songs skipped quickly keep no pictures waiting.
    void Request(QByteArray picture, std::function<void(const QString& uri)> answer);

private:
    struct Job {
        QByteArray picture;
        std::function<void(const QString&)> answer;
    };
    void RunPending();
    QString Store(const QByteArray& picture);
    void Remember(const QString& name);

    const QString folder_;
    QThreadPool worker_;
    std::mutex mutex_;
    std::optional<Job> pending_;
    // The stored names, least recently used first.
    std::vector<QString> recent_;
    bool seeded_ = false;
};
