#include <gtest/gtest.h>

#include "base/files.h"
#include "base/names.h"
#include "tests/support/printers.h"

using namespace MP3Mod;

TEST(Names, SongListNameCutsExtensionAndWidensDashes) {
    EXPECT_EQ(SongListName("Rock - Song_1.mp3"), QString::fromUtf8("Rock  \u203A  Song_1"));
    EXPECT_EQ(SongListName("Song-Title.mp3"), QString::fromUtf8("Song \u203A Title"));
    EXPECT_EQ(SongListName("track_01.MP3"), "track_01");
    EXPECT_EQ(SongListName("-lead.mp3"), QString::fromUtf8(" \u203A lead"));
}

// The bulk routines work on bytes where they can; every row must come out as
// the routine for one name gives it, escaped bytes of a file name included.
TEST(Names, NamesOfAWholeFolderMatchTheNamesOneByOne) {
    const QString escaped = QStringLiteral("caf") + QChar(0xDCE9) + QStringLiteral("-x.mp3");
    const QStringList files = {"Rock - Song_1.mp3",
                               "a.MP3.mp3",
                               "no extension",
                               "-",
                               ".mp3",
                               QString::fromUtf8("Bj\u00f6rk \u2013 J\u00f3ga-live.Mp3 (1)"),
                               escaped,
                               "x.mp",
                               ""};
    const TextList listed(files);
    QStringList songListNames, shownNames;
    for (const QString& file : files) {
        songListNames.append(SongListName(file));
        shownNames.append(ShownFileName(file));
    }
    EXPECT_EQ(SongListNames(listed).toStringList(), songListNames);
    EXPECT_EQ(ShownFileNames(listed).toStringList(), shownNames);
}

TEST(Names, CutMp3ExtensionCutsAtFirstOccurrenceInAnyCase) {
    EXPECT_EQ(CutMp3Extension("a.mp3.old.mp3"), "a");
    EXPECT_EQ(CutMp3Extension("a.mp3.bak"), "a");
    EXPECT_EQ(CutMp3Extension("x.mp3y"), "x");
    EXPECT_EQ(CutMp3Extension("Loud.Mp3"), "Loud");
    EXPECT_EQ(CutMp3Extension("no extension"), "no extension");
    EXPECT_EQ(CutMp3Extension(".mp3 at start"), "");
    EXPECT_EQ(CutMp3Extension(""), "");
}

TEST(Names, CutMp3ExtensionKeepsLettersWhoseLowerCaseIsLonger) {
    // "İ" lower-cases to two characters; the cut must still fall after it.
    EXPECT_EQ(CutMp3Extension(QString::fromUtf8("\u0130stanbul.MP3")),
              QString::fromUtf8("\u0130stanbul"));
    EXPECT_EQ(CutMp3Extension(QString::fromUtf8("Björk – Jóga.mp3")),
              QString::fromUtf8("Björk – Jóga"));
}

TEST(Names, SongDisplayNameUsesFileNameWithBlanksForUnderscores) {
    EXPECT_EQ(SongDisplayName("/music/Rock - Song_1.MP3"), "Rock - Song 1");
    EXPECT_EQ(SongDisplayName("/music/track_01.MP3"), "track 01");
    EXPECT_EQ(SongDisplayName("/a.mp3.dir/My_Song.mp3"), "My Song");
    EXPECT_EQ(SongDisplayName("no folder.mp3"), "");
}

TEST(Names, FileNameFromPathTakesTextAfterLastSlash) {
    EXPECT_EQ(FileNameFromPath("/a/b.mp3"), "b.mp3");
    EXPECT_EQ(FileNameFromPath("b.mp3"), "");
    EXPECT_EQ(FileNameFromPath("/a/"), "");
    EXPECT_EQ(FileNameFromPath("/x y/it's \"quoted\".mp3"), "it's \"quoted\".mp3");
}

TEST(Names, UnderscoresToBlanksChangesNothingElse) {
    EXPECT_EQ(UnderscoresToBlanks("__A_b__"), "  A b  ");
    EXPECT_EQ(UnderscoresToBlanks("MiXeD-case"), "MiXeD-case");
}

TEST(Names, JoinPathNeverDoublesTheSeparator) {
    EXPECT_EQ(JoinPath("/music", "a.mp3"), "/music/a.mp3");
    EXPECT_EQ(JoinPath("/music/", "a.mp3"), "/music/a.mp3");
    EXPECT_EQ(JoinPath("/", "a.mp3"), "/a.mp3");
}
