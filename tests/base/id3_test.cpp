#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/id3.h"
#include "tests/support/id3block.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"

using namespace MP3Mod;

namespace {

const QByteArray Audio(4000, '\x55');

QStringList FieldsOf(const QString& path) {
    return {ReadTagTitle(path), ReadTagArtist(path), ReadTagAlbum(path), ReadTagYear(path)};
}

} // namespace

TEST(Id3v1, ReadsTheFourFieldsFromTheLastBlock) {
    TestFolder songs;
    const QString song =
        songs.write("a.mp3", Audio + Id3Block({"  Lead blanks", "Artist", "Album", "1999"}));
    EXPECT_EQ(FieldsOf(song), QStringList({"  Lead blanks", "Artist", "Album", "1999"}));
}

TEST(Id3v1, AFileOfExactlyOneBlockIsTheBlock) {
    TestFolder songs;
    const QString song = songs.write("tag.mp3", Id3Block({"T", "A", "B", "20"}));
    EXPECT_EQ(FieldsOf(song), QStringList({"T", "A", "B", "20"}));
}

TEST(Id3v1, BlankFieldsAndMissingMarkerReadNotAvailable) {
    TestFolder songs;
    const QString blanks = songs.write("blank.mp3", Audio + Id3Block({"Title", "", "", "    "}));
    EXPECT_EQ(FieldsOf(blanks), QStringList({"Title", "n/a", "n/a", "n/a"}));
    for (const QByteArray marker : {"tag", "Tag", "TAg", "XYZ"}) {
        const QString song =
            songs.write("m.mp3", Audio + Id3Block({"T", "A", "B", "1", ' ', marker}));
        EXPECT_EQ(FieldsOf(song), QStringList({"n/a", "n/a", "n/a", "n/a"})) << marker.data();
    }
}

TEST(Id3v1, FieldsEndAtTheirFirstNul) {
    TestFolder songs;
    Id3Fields fields{"Padded", "", "Al\0bum", "19"};
    fields.album = QByteArray("Al\0bum", 6);
    fields.padding = '\0';
    const QString song = songs.write("nul.mp3", Audio + Id3Block(fields));
    EXPECT_EQ(FieldsOf(song), QStringList({"Padded", "n/a", "Al", "19"}));
}

// ID3v1.1: a NUL in the comment's last but one byte, then the track.
TEST(Id3v1, TrackNumberOnlyWhereTheCommentLeavesRoomForIt) {
    TestFolder songs;
    auto trackOf = [&songs](const QByteArray& block) {
        return ReadTag(songs.write("t.mp3", Audio + block))->track;
    };
    EXPECT_EQ(trackOf(Id3Block({.title = "T", .track = 12})), 12);
    EXPECT_EQ(trackOf(Id3Block({.title = "T", .track = 255})), 255);
    EXPECT_EQ(trackOf(Id3Block({.title = "T"})), 0);
    QByteArray longComment = Id3Block({.title = "T", .track = 3});
    longComment[125] = 'x'; // a comment of all 30 bytes: no track
    EXPECT_EQ(trackOf(longComment), 0);
    EXPECT_EQ(trackOf(Id3Block({.title = "T", .marker = "TAF", .track = 4})), 0);
}

TEST(Id3v1, FieldsAreLatin1) {
    TestFolder songs;
    const QString song =
        songs.write("l1.mp3", Audio + Id3Block({"Caf\xe9 \xbd", "Bj\xf6rk", "", ""}));
    EXPECT_EQ(ReadTagTitle(song), QString::fromUtf8("Café ½"));
    EXPECT_EQ(ReadTagArtist(song), QString::fromUtf8("Björk"));
}

TEST(Id3v1, NoNormalFileGivesTheEmptyValue) {
    TestFolder songs;
    const QString hidden = songs.write(".hidden.mp3", Audio + Id3Block({"T", "A", "B", "1"}));
    for (const QString& path :
         {songs.at("missing.mp3"), hidden, songs.makeFolder("dir.mp3"), QString()})
        EXPECT_EQ(FieldsOf(path), QStringList({"", "", "", ""})) << path.toStdString();
}

TEST(Id3v1, ShortFilesAndPipesNeitherFailNorHang) {
    TestFolder songs;
    EXPECT_EQ(ReadTagTitle(songs.write("short.mp3", "TAGshort")), "n/a");
    EXPECT_EQ(ReadTagTitle(songs.write("empty.mp3", "")), "n/a");
    const QString pipe = songs.at("pipe.mp3");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(ReadTagTitle(pipe), ""); // not a normal file; opening must not block
}

TEST(Id3v1, EachReadIsOfItsOwnFile) {
    TestFolder songs;
    const QString one = songs.write("1.mp3", Audio + Id3Block({"One", "", "", ""}));
    const QString two = songs.write("2.mp3", Audio);
    EXPECT_EQ(ReadTagTitle(one), "One");
    EXPECT_EQ(ReadTagTitle(two), "n/a");
    EXPECT_EQ(ReadTagTitle(one), "One");
}
