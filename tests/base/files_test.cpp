#include <cerrno>
#include <random>

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "base/files.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"

using namespace MP3Mod;

TEST(ListNormalFiles, MatchesPatternInAnyCaseAndSortsWithoutCase) {
    TestFolder music;
    for (const char* name : {"b.MP3", "A.mp3", "c.mp3.bak", "d.txt", "Mp3 tips.txt", "-lead.mp3",
                             "with blank.mp3", "it's \"q\".mp3", "Ünïcode.mp3", "x.y.z.mp3"})
        music.write(QString::fromUtf8(name));
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*").toStringList(),
              QStringList({"-lead.mp3", "A.mp3", "b.MP3", "c.mp3.bak", "it's \"q\".mp3",
                           "with blank.mp3", "x.y.z.mp3", QString::fromUtf8("Ünïcode.mp3")}));
}

TEST(ListNormalFiles, SkipsWhatIsNotANormalFile) {
    TestFolder music;
    const QString song = music.write("song.mp3");
    music.write(".hidden.mp3");
    music.makeFolder("folder.mp3");
    music.write("folder.mp3/inner.mp3");
    music.link(song, "link.mp3");
    music.link(music.at("gone.mp3"), "broken.mp3");
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*").toStringList(),
              QStringList({"link.mp3", "song.mp3"}));
}

TEST(ListNormalFiles, MissingOrNonFolderGivesNothing) {
    TestFolder music;
    const QString file = music.write("a.mp3");
    EXPECT_TRUE(ListNormalFiles(music.at("nowhere"), "*.mp3*").isEmpty());
    EXPECT_TRUE(ListNormalFiles(file, "*.mp3*").isEmpty());
    EXPECT_TRUE(ListNormalFiles("", "*.mp3*").isEmpty());
}

TEST(FileExists, FolderTestNeedsOneNormalFile) {
    TestFolder root;
    root.makeFolder("only folders/sub");
    root.write("only hidden/.secret");
    root.write("only text/notes.txt");
    EXPECT_FALSE(FileExists(root.at("only folders/")));
    EXPECT_FALSE(FileExists(root.at("only hidden/")));
    EXPECT_TRUE(FileExists(root.at("only text/")));
    EXPECT_TRUE(FileExists(root.at("only text//")));
    EXPECT_FALSE(FileExists(root.at("missing/")));
}

TEST(FileExists, FileTestMatchesNormalFilesOnly) {
    TestFolder root;
    EXPECT_TRUE(FileExists(root.write("song.mp3")));
    EXPECT_FALSE(FileExists(root.write(".hidden")));
    EXPECT_FALSE(FileExists(root.makeFolder("folder")));
    EXPECT_FALSE(FileExists(root.at("missing.mp3")));
    EXPECT_FALSE(FileExists(""));
}

TEST(ExpandHome, TakesALeadingTildeAsTheHomeFolder) {
    EXPECT_EQ(ExpandHome("~/Music"), QDir::homePath() + "/Music");
    EXPECT_EQ(ExpandHome("~"), QDir::homePath());
    EXPECT_EQ(ExpandHome("~other/x"), "~other/x");
    EXPECT_EQ(ExpandHome("/a/~/b"), "/a/~/b");
    EXPECT_EQ(NormalizedFolder("~/Music/"), QDir::homePath() + "/Music");
}

TEST(NormalizedFolder, IsAbsoluteWithoutTrailingSlash) {
    EXPECT_EQ(NormalizedFolder("/music/"), "/music");
    EXPECT_EQ(NormalizedFolder("/music//"), "/music");
    EXPECT_EQ(NormalizedFolder("/"), "/");
    EXPECT_EQ(NormalizedFolder("rel"), QDir::current().absoluteFilePath("rel"));
    EXPECT_EQ(NormalizedFolder(""), "");
}

TEST(FileNames, AnyBytesComeBackExactlyAndShowWithReplacementCharacters) {
    const QByteArray latin1 = "caf\xe9.mp3";
    const QString kept = DecodeFileName(latin1);
    EXPECT_EQ(kept, QString("caf") + QChar(0xDCE9) + ".mp3");
    EXPECT_EQ(EncodeFileName(kept), latin1);
    EXPECT_EQ(ShownFileName(kept), QString("caf") + QChar::ReplacementCharacter + ".mp3");
    const QByteArray utf8 = "Ünïcode \xF0\x9F\x8E\xB5.mp3"; // a supplementary character too
    EXPECT_EQ(DecodeFileName(utf8), QString::fromUtf8(utf8));
    EXPECT_EQ(ShownFileName(DecodeFileName(utf8)), QString::fromUtf8(utf8));
    // Overlong forms, encoded surrogates, cut sequences and values past U+10FFFF
    // are not UTF-8: each of their bytes is kept as it is.
    // A byte-order mark is a character of the name like any other.
    for (const QByteArray& bytes :
         {QByteArray("\xC0\xAF"), QByteArray("\xED\xA0\x80"), QByteArray("a\xE2\x82"),
          QByteArray("\xF4\x90\x80\x80"), QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFsong.mp3"),
          QByteArray("\xE9\xEF\xBB\xBFsong.mp3")})
        EXPECT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes) << bytes.toHex().constData();
    std::mt19937 generator(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(generator() % 12), '\0');
        for (char& byte : bytes)
            byte = char(generator() % 3 == 0 ? 0x80 + generator() % 0x80 : generator() % 256);
        bytes.replace('\0', 'z');
        ASSERT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes) << bytes.toHex().constData();
    }
}

TEST(RegularFiles, OnlyRegularFilesAreReadOrReplaced) {
    TestFolder root;
    const QString song = root.write("song.mp3", "content");
    EXPECT_EQ(ReadRegularFile(song), QByteArray("content"));
    EXPECT_EQ(NotRegularFileReason(song), "");
    EXPECT_EQ(NotRegularFileReason(root.at("missing")), "");
    EXPECT_FALSE(ReadRegularFile(root.at("missing")));
    // A FIFO in a file's place would block any reader or writer that opened it.
    for (const QString& odd : {root.makeFifo("pipe"), root.makeFolder("folder")}) {
        EXPECT_FALSE(ReadRegularFile(odd)) << odd.toStdString();
        EXPECT_NE(NotRegularFileReason(odd), "") << odd.toStdString();
    }
}

TEST(NormalizedFolder, JudgesPathsAsTheFileSystemDoes) {
    // Qt takes ":name" for a resource; the file system takes it for a relative path.
    EXPECT_EQ(NormalizedFolder(":music"), QDir::currentPath() + "/:music");
    TestFolder root;
    EXPECT_TRUE(IsFolder(root.makeFolder("sub")));
    EXPECT_FALSE(IsFolder(":/"));
    EXPECT_FALSE(IsFolder(root.write("file")));
}

// Deleted songs and playlists go to the trash of the user's data folder, from
// where they can be restored; a name that Qt cannot give is removed.
TEST(TrashFile, MovesToTheTrashOrRemovesWhatQtCannotName) {
    TestFolder data;
    TestFolder files;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const QString song = files.write("a song.mp3", "tune");
    EXPECT_EQ(TrashFile(song), 0);
    EXPECT_FALSE(QFileInfo::exists(song));
    EXPECT_EQ(data.read("Trash/files/a song.mp3"), "tune");
    EXPECT_TRUE(QFileInfo::exists(data.at("Trash/info/a song.mp3.trashinfo")));
    EXPECT_EQ(TrashFile(song), ENOENT);
    const QString latin1 = files.writeRawName("caf\xe9.mp3");
    EXPECT_EQ(TrashFile(latin1), 0);
    EXPECT_FALSE(IsRegularFile(latin1));
    qunsetenv("XDG_DATA_HOME");
}
