#include <cerrno>
#include <csignal>

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/files.h"
#include "base/ini.h"
#include "base/playlistfiles.h"
#include "tests/support/fulldisk.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"
#include "tests/support/unwritable.h"

using namespace MP3Mod;

TEST(PlaylistFile, WritesOnePathALineEndedByCrLfAndReadsItBack) {
    TestFolder folder;
    const QStringList entries = {"/music/with blank.mp3", QString::fromUtf8("/música/Ünïcode.mp3"),
                                 "/music/-lead.mp3"};
    ASSERT_EQ(WritePlaylistFile(folder.at("p.m3u"), entries), "");
    EXPECT_EQ(folder.read("p.m3u"), QString("/music/with blank.mp3\r\n/música/Ünïcode.mp3\r\n"
                                            "/music/-lead.mp3\r\n")
                                        .toUtf8());
    EXPECT_EQ(ReadPlaylistFile(folder.at("p.m3u")), entries);
    ASSERT_EQ(WritePlaylistFile(folder.at("empty.m3u"), {}), "");
    EXPECT_EQ(folder.read("empty.m3u"), "");
    EXPECT_TRUE(ReadPlaylistFile(folder.at("empty.m3u")).isEmpty());
}

TEST(PlaylistFile, ItemRules) {
    TestFolder folder;
    folder.write("a.m3u", "/a/x.mp3\r\n/b/y.mp3\r\n\r\n");
    EXPECT_EQ(ReadPlaylistFile(folder.at("a.m3u")), QStringList({"/a/x.mp3", "/b/y.mp3", ""}));
    folder.write("b.m3u", "/mix/one, two.mp3\r\n");
    EXPECT_EQ(ReadPlaylistFile(folder.at("b.m3u")),
              QStringList({"/mix/one", folder.path() + "/two.mp3"})); // relative: from the folder
    folder.write("c.m3u", "\"/music/a, b.mp3\" dropped\n/music/a, b.mp3\n");
    EXPECT_EQ(ReadPlaylistFile(folder.at("c.m3u")),
              QStringList({"/music/a, b.mp3", "/music/a", folder.path() + "/b.mp3"}));
    folder.write("d.m3u", "   /lead/blanks.mp3\r/x/song@KELM.Example.mp3@kelm.example\r\n");
    EXPECT_EQ(ReadPlaylistFile(folder.at("d.m3u")),
              QStringList({"/lead/blanks.mp3", "/x/song.mp3"}));
}

TEST(PlaylistFile, ReadsOtherPlayersExtendedPlaylists) {
    TestFolder folder;
    folder.write("lists/other.m3u", "#EXTM3U\r\n#EXTINF:123,Artist - Title\r\n../songs/a.mp3\r\n"
                                    "#EXTINF:-1,Second\nsub dir/b.mp3\n/abs/c.mp3");
    EXPECT_EQ(ReadPlaylistFile(folder.at("lists/other.m3u")),
              QStringList({folder.path() + "/songs/a.mp3", folder.path() + "/lists/sub dir/b.mp3",
                           "/abs/c.mp3"}));
}

TEST(PlaylistFile, MissingFileOrFifoReadsNothingAndAFifoIsNeverWritten) {
    TestFolder folder;
    EXPECT_TRUE(ReadPlaylistFile(folder.at("none.m3u")).isEmpty());
    const QString fifo = folder.makeFifo("fifo.m3u");
    EXPECT_TRUE(ReadPlaylistFile(fifo).isEmpty());
    EXPECT_NE(WritePlaylistFile(fifo, {"/a.mp3"}), "");
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

TEST(PlaylistFile, KeepsPathsAsTheFileSystemJudgesThem) {
    TestFolder folder;
    // A path that is not UTF-8 is written and read back as the same bytes.
    const QString latin1 = DecodeFileName("/music/caf\xe9.mp3");
    ASSERT_EQ(WritePlaylistFile(folder.at("p.m3u"), {latin1}), "");
    EXPECT_EQ(folder.read("p.m3u"), "/music/caf\xe9.mp3\r\n");
    EXPECT_EQ(ReadPlaylistFile(folder.at("p.m3u")), QStringList({latin1}));
    // ":" starts a relative path, not one of Qt's resources.
    folder.write("r.m3u", ":music/a.mp3\r\n");
    EXPECT_EQ(ReadPlaylistFile(folder.at("r.m3u")), QStringList({folder.path() + "/:music/a.mp3"}));
}

TEST(PlaylistFile, FailedWriteSaysWhyAndLeavesTheOldFileWhole) {
    TestFolder folder;
    const QString list = folder.write("locked/Mix.m3u", "/old/entry.mp3\r\n");
    UnwritableFolder lock(folder.at("locked"));
    if (!lock.locked())
        GTEST_SKIP() << "this file system cannot lock a folder";
    EXPECT_NE(WritePlaylistFile(list, {"/new/entry.mp3"}), "");
    EXPECT_EQ(folder.read("locked/Mix.m3u"), "/old/entry.mp3\r\n");
}

// On a disk that fills up, neither a playlist nor the settings file is cut
// short, both say why, and nothing is left beside them, hidden or not.
TEST(FullDisk, WritesFailWholeAndLeaveTheOldFilesAndNothingElse) {
    TestFolder folder;
    const QByteArray mix = "/a.mp3\r\n/b.mp3\r\n/c.mp3\r\n";
    const QString list = folder.write("Mix.m3u", mix);
    const QByteArray settings = "[Settings]\nDIRECTORY=/old\n";
    const QString ini = folder.write("mp3.ini", settings);
    {
        const FullDisk full(24);
        EXPECT_NE(WritePlaylistFile(list, {"/first/new/entry.mp3", "/second/new/entry.mp3"}), "");
        EXPECT_NE(WritePlaylistFile(folder.at("Playlist.m3u"), {"/a/long/enough/entry.mp3"}), "");
        EXPECT_EQ(WriteIniValue("Settings", "Directory", "/a/new/folder", ini), ErrorText(EFBIG));
    }
    EXPECT_EQ(folder.read("Mix.m3u"), mix);
    EXPECT_EQ(folder.read("mp3.ini"), settings);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"Mix.m3u", "mp3.ini"}));
}

// Files other programs wrote read as they meant them: a playlist that begins
// with a byte-order mark, a Latin-1 song folder. A save killed midway leaves
// nothing beside the old file; the next save removes what earlier ones left.
TEST(OtherProgramsFiles, ReadRightAndSavesLeaveNothingBehind) {
    TestFolder folder;
    const QString list = folder.write("Mix.m3u", "\xEF\xBB\xBF#EXTM3U\r\n/a.mp3\r\n");
    EXPECT_EQ(ReadPlaylistFile(list), QStringList({"/a.mp3"}));
    const QString ini = folder.write("mp3.ini", "[Settings]\nDIRECTORY=/music/caf\xe9\n");
    const QString latin1 = ReadIniValue("Settings", "Directory", ini);
    EXPECT_EQ(WriteIniValue("Settings", "Directory", latin1 + "/sub", ini), "");
    EXPECT_EQ(folder.read("mp3.ini"), "[Settings]\nDIRECTORY=/music/caf\xe9/sub\n");

    if (::fork() == 0) {
        const FullDisk full(8);
        std::signal(SIGXFSZ, SIG_DFL); // killed once past 8 bytes
        WritePlaylistFile(list, {"/a/longer/entry.mp3"});
        ::_exit(0);
    }
    int status = 0;
    ::wait(&status);
    EXPECT_TRUE(WIFSIGNALED(status));
    folder.write(".Mix.m3u.a1B2c3"); // left by a save killed before
    folder.write(".Mix.m3u.keep");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
    EXPECT_EQ(WritePlaylistFile(list, {"/c.mp3"}), "");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({".Mix.m3u.keep", "Mix.m3u", "mp3.ini"}));
}

// Removing the e-mail suffix may bring escaped bytes together into a
// character: the entry read is the one that a save then reads back.
TEST(PlaylistFile, EntriesReadBackTheSameAfterASave) {
    TestFolder folder;
    const QString list = folder.write("p.m3u", "/music/\xE2\x82@kelm.example\xAC.mp3\r\n"
                                               "/music/caf\xE9@KELM.example.mp3\r\n");
    const QStringList read = ReadPlaylistFile(list);
    EXPECT_EQ(read, QStringList({QString::fromUtf8("/music/\u20ac.mp3"),
                                 DecodeFileName("/music/caf\xe9.mp3")}));
    ASSERT_EQ(WritePlaylistFile(list, read), "");
    EXPECT_EQ(ReadPlaylistFile(list), read);
}

TEST(ReplaceAllNoCase, ReplacesEveryOccurrenceInAnyCase) {
    EXPECT_EQ(ReplaceAllNoCase("aXbxc", "x", ""), "abc");
    EXPECT_EQ(ReplaceAllNoCase("Keep CASE @Kelm.Example here", "@kelm.example", ""),
              "Keep CASE  here");
    EXPECT_EQ(ReplaceAllNoCase("aba", "a", "aa"), "aabaa"); // a replacement holding the text
    EXPECT_EQ(ReplaceAllNoCase("none", "x", "y"), "none");
    EXPECT_EQ(ReplaceAllNoCase("same", "", "grow"), "same"); // an empty search finds nothing
}
