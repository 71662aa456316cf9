#include <cerrno>
#include <filesystem>
#include <random>

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/files.h"
#include "base/trash.h"
#include "tests/support/fulldisk.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"
#include "tests/support/unwritable.h"

using namespace MP3Mod;

// Sorted as the desktop's locale sorts, letter case aside; the C locale has no
// collation and sorts by code point.
TEST(ListNormalFiles, MatchesPatternInAnyCaseAndSortsAsTheLocale) {
    TestFolder music;
    const QStringList polish = QString::fromUtf8("-lead.mp3|A.mp3|b.MP3|c.mp3.bak|Électrique.mp3|"
                                                 "it's \"q\".mp3|Lento.mp3|Łódź.mp3|Ünïcode.mp3|"
                                                 "with blank.mp3|x.y.z.mp3|Zoë.mp3|Ёлка.mp3")
                                   .split('|');
    for (const QString& name : polish + QStringList({"d.txt", "Mp3 tips.txt"}))
        music.write(name);
    const QLocale system;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*").toStringList(),
              QString::fromUtf8("-lead.mp3|A.mp3|b.MP3|c.mp3.bak|it's \"q\".mp3|Lento.mp3|"
                                "with blank.mp3|x.y.z.mp3|Zoë.mp3|Électrique.mp3|Ünïcode.mp3|"
                                "Łódź.mp3|Ёлка.mp3")
                  .split('|'));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*").toStringList(), polish);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); // "ch" after "h"
    music.write("chata.mp3");
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*").toStringList().mid(4, 3),
              QStringList({QString::fromUtf8("Électrique.mp3"), "chata.mp3", "it's \"q\".mp3"}));
    QLocale::setDefault(system);
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
    QByteArray content;
    EXPECT_EQ(ReadRegularFile(song, content), "");
    EXPECT_EQ(content, "content");
    EXPECT_EQ(NotRegularFileReason(song), "");
    EXPECT_EQ(NotRegularFileReason(root.at("missing")), "");
    EXPECT_NE(ReadRegularFile(root.at("missing"), content), "");
    EXPECT_EQ(content, "");
    // A FIFO in a file's place would block any reader or writer that opened it.
    for (const QString& odd : {root.makeFifo("pipe"), root.makeFolder("folder")}) {
        EXPECT_NE(ReadRegularFile(odd, content), "") << odd.toStdString();
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

// The Path that a trash's .trashinfo gives back for a name, unescaped.
static QByteArray TrashedPath(const QString& trash, const QByteArray& name) {
    QByteArray info;
    ReadRegularFile(trash + "/info/" + DecodeFileName(name + ".trashinfo"), info);
    const qsizetype at = info.indexOf("\nPath=") + 6;
    return at < 6 ? "" : QByteArray::fromPercentEncoding(info.mid(at, info.indexOf('\n', at) - at));
}

// Root's rights given up for as long as it lives (the saved user stays root,
// to take them back), so that permissions hold as for a user.
struct Nobody {
    const bool dropped =
        ::geteuid() == 0 && ::setresgid(65534, 65534, 0) == 0 && ::setresuid(65534, 65534, 0) == 0;
    ~Nobody() {
        if (dropped && ::setresuid(0, 0, 0) == 0)
            ::setresgid(0, 0, 0);
    }
};

// A deletion goes to the trash of the file's own file system by the name's
// bytes, so that the desktop can put it back. Where no trash can take it, the
// file stays and the refusal comes back at once. Run as a user, whose
// permissions hold.
TEST(TrashFile, KeepsEveryFileItCannotTrashAndNeverWaits) {
    const Nobody user;
    if (!user.dropped && ::geteuid() == 0)
        GTEST_SKIP() << "root's rights cannot be given up here";
    TestFolder songs, home, work;
    if (work.path().isEmpty())
        GTEST_SKIP() << "the user nobody cannot make a temporary folder here";
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8()); // a fresh account: no ~/.local/share yet
    const QString trash = home.at(".local/share/Trash");
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(work.path());
    const QString song = songs.write("a song.mp3");
    EXPECT_EQ(TrashFile(song).failure, "");
    EXPECT_EQ(TrashedPath(trash, "a song.mp3"), EncodeFileName(song));
    EXPECT_TRUE(QDir(work.path()).isEmpty());
    songs.write("a song.mp3", "again");
    EXPECT_EQ(TrashFile(song).failure, "");
    QByteArray again;
    ReadRegularFile(trash + "/files/a song.2.mp3", again);
    EXPECT_EQ(again, "again");
    EXPECT_TRUE(TrashFile(song).gone);
    const QString latin1 = songs.writeRawName("caf\xe9.mp3");
    EXPECT_EQ(TrashFile(latin1).failure, "");
    EXPECT_EQ(TrashedPath(trash, "caf\xe9.mp3"), EncodeFileName(latin1));

    // Trash folders that cannot take a file, a full disk, a data folder that
    // cannot be written, and a disk whose top the user may not write (the
    // root's, with the home on another file system): refused, nothing left.
    const QString kept = songs.write("kept.mp3");
    std::vector<TrashResult> refusals;
    for (const char* folder : {"/info", "/files"}) {
        const UnwritableFolder locked(trash + folder);
        refusals.push_back(TrashFile(kept));
    }
    if (const FullDisk full(16); true)
        refusals.push_back(TrashFile(kept));
    EXPECT_FALSE(QFileInfo::exists(trash + "/info/kept.mp3.trashinfo"));
    std::filesystem::remove_all(EncodeFileName(trash).toStdString());
    if (const UnwritableFolder data(home.at(".local/share")); true)
        refusals.push_back(TrashFile(kept));
    qputenv("HOME", "/dev/shm");
    if (QStorageInfo("/dev/shm") != QStorageInfo("/") &&
        QStorageInfo(songs.path()) == QStorageInfo("/") && ::access("/", W_OK) != 0)
        refusals.push_back(TrashFile(kept));
    for (const TrashResult& refusal : refusals)
        EXPECT_TRUE(refusal.refused && !refusal.failure.isEmpty()) << refusal.failure.toStdString();
    EXPECT_TRUE(IsRegularFile(kept));
    QDir::setCurrent(workingFolder);
    qputenv("HOME", oldHome);
}
