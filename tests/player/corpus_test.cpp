// Real-world MP3 and tag files (TUNEVAULT_CORPUS, with an expected.tsv that
// has a header line naming its columns): every tag field as expected, and no
// file crashes or hangs the player.

#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include "base/id3.h"
#include "player/gstmediaplayer.h"
#include "tests/support/printers.h"

namespace {

struct Expected {
    QString file;
    QStringList fields; // title, artist, album, year
};

QString CorpusFolder() {
    return qEnvironmentVariable("TUNEVAULT_CORPUS");
}

int Column(const QStringList& header, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const qsizetype at = header.indexOf(QString::fromLatin1(name), 0);
        if (at >= 0)
            return int(at);
    }
    return -1;
}

// Empty fields and files without a tag read "n/a".
QString Shown(const QString& value) {
    return value.isEmpty() ? QStringLiteral("n/a") : value;
}

std::vector<Expected> ReadExpected(const QString& folder) {
    QFile tsv(QDir(folder).filePath(QStringLiteral("expected.tsv")));
    if (!tsv.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(tsv.readAll()).split(QLatin1Char('\n'));
    const QStringList header = lines.value(0).trimmed().toLower().split(QLatin1Char('\t'));
    const int file = Column(header, {"file", "path", "name", "filename"});
    const int fields[] = {Column(header, {"title"}), Column(header, {"artist"}),
                          Column(header, {"album"}), Column(header, {"year"})};
    if (file < 0 || std::find(std::begin(fields), std::end(fields), -1) != std::end(fields)) {
        ADD_FAILURE() << "expected.tsv has no file, title, artist, album and year columns: "
                      << lines.value(0).toStdString();
        return {};
    }
    std::vector<Expected> rows;
    for (const QString& line : lines.mid(1)) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList cells = QString(line).remove(QLatin1Char('\r')).split(QLatin1Char('\t'));
        Expected row{cells.value(file), {}};
        for (int column : fields)
            row.fields.append(Shown(cells.value(column)));
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(Corpus, TagFieldsMatchTheExpectedValues) {
    if (CorpusFolder().isEmpty())
        GTEST_SKIP() << "no corpus given: run make test CORPUS=/path/to/corpus";
    const std::vector<Expected> rows = ReadExpected(CorpusFolder());
    ASSERT_FALSE(rows.empty());
    for (const Expected& row : rows) {
        const QString path = QDir(CorpusFolder()).filePath(row.file);
        using namespace MP3Mod;
        EXPECT_EQ(QStringList({ReadTagTitle(path), ReadTagArtist(path), ReadTagAlbum(path),
                               ReadTagYear(path)}),
                  row.fields)
            << row.file.toStdString();
    }
}

TEST(Corpus, EveryFileLeavesThePlayerUsable) {
    if (CorpusFolder().isEmpty())
        GTEST_SKIP() << "no corpus given: run make test CORPUS=/path/to/corpus";
    GstMediaPlayer player(PlayerPipeline::SilentSink());
    const QStringList files = QDir(CorpusFolder()).entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        player.OpenFile(QDir(CorpusFolder()).filePath(name));
        EXPECT_TRUE(QTest::qWaitFor([&player] { return player.Position() >= -1; }, 10'000))
            << name.toStdString();
        QTest::qWait(50);
    }
}

// What the player reads of a song's own tags while it plays: an ID3v2.3 tag
// in UTF-16, and an ID3v2.4 tag with an album picture.
TEST(Corpus, ThePlayerFindsId3v2TagsAndPictures) {
    if (CorpusFolder().isEmpty())
        GTEST_SKIP() << "no corpus given: run make test CORPUS=/path/to/corpus";
    GstMediaPlayer player(PlayerPipeline::SilentSink());
    auto tagsOf = [&player](const char* name) {
        player.OpenFile(QDir(CorpusFolder()).filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(QTest::qWaitFor([&player] { return player.Position() >= -1; }, 10'000));
        QTest::qWait(200); // tags of the decoder may follow the opening
        return player.Tags();
    };
    const MediaPlayer::SongTags unicode = tagsOf("mp3agic-v23unicodetags.mp3");
    EXPECT_FALSE(unicode.title.isEmpty());
    EXPECT_FALSE(unicode.artist.isEmpty());
    const MediaPlayer::SongTags pictured = tagsOf("mp3agic-v24tagswithalbumimage.mp3");
    EXPECT_EQ(pictured.title, "TITLE1234567890123456789012345");
    EXPECT_GT(pictured.picture.size(), 100);
    EXPECT_TRUE(tagsOf("dhowden-sample.id3v11.mp3").picture.isEmpty()); // none left over
}
