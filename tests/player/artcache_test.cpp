// The cover picture cache answers later, on the windows' thread, with a file
// that holds the picture, and keeps only the pictures used last.
#include <optional>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "player/artcache.h"

namespace {

QByteArray Picture(int n) {
    return "\x89PNG picture " + QByteArray::number(n);
}

QString Store(ArtCache& cache, const QByteArray& picture) {
    std::optional<QString> uri;
    cache.Request(picture, [&](const QString& answer) { uri = answer; });
    EXPECT_FALSE(uri.has_value()) << "answered within the request";
    EXPECT_TRUE(QTest::qWaitFor([&] { return uri.has_value(); }, 10'000));
    return QUrl(uri.value_or(QString())).toLocalFile();
}

TEST(ArtCache, StoresEachPictureOnceAndKeepsTheLastHundredUsed) {
    QTemporaryDir folder;
    std::vector<QString> files;
    {
        ArtCache cache(folder.path());
        for (int n = 0; n < ArtCache::KeptPictures + 5; ++n) {
            files.push_back(Store(cache, Picture(n)));
            if (n == 50) { // the first picture, used again, is kept
                EXPECT_EQ(Store(cache, Picture(0)), files[0]);
            }
        }
    }
    QFile first(files[0]);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), Picture(0));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), ArtCache::KeptPictures);
    for (int n = 1; n <= 5; ++n)
        EXPECT_FALSE(QFile::exists(files[n])) << n;
    EXPECT_TRUE(QFile::exists(files[6]));

    // The next session finds the folder full, and keeps it at a hundred.
    ArtCache next(folder.path());
    EXPECT_TRUE(QFile::exists(Store(next, Picture(1000))));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), ArtCache::KeptPictures);
}

} // namespace
