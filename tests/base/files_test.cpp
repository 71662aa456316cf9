#include <cerrno>
#include <filesystem>
#include <random>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
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
    for (const char* name : {"b.MP3", "A.mp3", "c.mp3.bak", "d.txt", "Mp3 tips.txt", "-lead.mp3",
                             "with blank.mp3", "it's \"q\".mp3", "Ünïcode.mp3", "x.y.z.mp3",
                             "Zoë.mp3", "Électrique.mp3", "Łódź.mp3", "Lento.mp3", "Ёлка.mp3"})
        music.write(QString::fromUtf8(name));
    const QLocale system;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*").toStringList(),
              QString::fromUtf8("-lead.mp3|A.mp3|b.MP3|c.mp3.bak|it's \"q\".mp3|Lento.mp3|"
                                "with blank.mp3|x.y.z.mp3|Zoë.mp3|Électrique.mp3|Ünïcode.mp3|"
                                "Łódź.mp3|Ёлка.mp3")
                  .split('|'));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*").toStringList(),
              QString::fromUtf8("-lead.mp3|A.mp3|b.MP3|c.mp3.bak|Électrique.mp3|it's \"q\".mp3|"
                                "Lento.mp3|Łódź.mp3|Ünïcode.mp3|with blank.mp3|x.y.z.mp3|"
                                "Zoë.mp3|Ёлка.mp3")
                  .split('|'));
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

namespace {

// What a trash holds of a name: its file, and the Path its .trashinfo gives back.
struct Trashed {
    QByteArray content;
    QByteArray path;
};

Trashed InTrash(const QString& trash, const QByteArray& name) {
    const auto file = ReadRegularFile(trash + "/files/" + DecodeFileName(name));
    const auto info = ReadRegularFile(trash + "/info/" + DecodeFileName(name + ".trashinfo"));
    const qsizetype path = info ? info->indexOf("\nPath=") : -1;
    if (!file || path < 0)
        return {};
    const QByteArray value = info->mid(path + 6, info->indexOf('\n', path + 6) - path - 6);
    return {*file, QByteArray::fromPercentEncoding(value)};
}

// The environment of a user whose home is a new folder, for as long as it lives.
class FreshHome {
public:
    FreshHome() : old_(qgetenv("HOME")), oldData_(qgetenv("XDG_DATA_HOME")) {
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_DATA_HOME");
    }
    ~FreshHome() {
        qputenv("HOME", old_);
        if (!oldData_.isEmpty())
            qputenv("XDG_DATA_HOME", oldData_);
    }
    QString Trash() const { return home.at(".local/share/Trash"); }
    TestFolder home;

private:
    QByteArray old_;
    QByteArray oldData_;
};

} // namespace

// A deletion goes to the trash of the file's own file system, by the name's
// bytes, so that the desktop can put it back. Where no trash can take it, the
// file stays and the refusal comes back at once: the question of deleting it
// for good is the caller's. Run as a user, whose permissions hold.
TEST(TrashFile, KeepsEveryFileItCannotTrashAndNeverWaits) {
    UnprivilegedUser user;
    if (!user.ok())
        GTEST_SKIP() << "root's rights cannot be given up here";
    TestFolder songs;
    TestFolder work;
    FreshHome fresh;
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(work.path());

    // A fresh account: the home trash is made under ~/.local/share.
    const QString song = songs.write("a song.mp3", "tune");
    EXPECT_EQ(TrashFile(song).error, 0);
    EXPECT_EQ(InTrash(fresh.Trash(), "a song.mp3").content, "tune");
    EXPECT_EQ(InTrash(fresh.Trash(), "a song.mp3").path, EncodeFileName(song));
    EXPECT_TRUE(QDir(work.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    songs.write("a song.mp3", "again");
    EXPECT_EQ(TrashFile(song).error, 0);
    EXPECT_EQ(InTrash(fresh.Trash(), "a song.2.mp3").content, "again");
    EXPECT_EQ(TrashFile(song).error, ENOENT);
    EXPECT_FALSE(TrashFile(song).refused);
    const QString latin1 = songs.writeRawName("caf\xe9.mp3", "latin");
    EXPECT_EQ(TrashFile(latin1).error, 0);
    EXPECT_EQ(InTrash(fresh.Trash(), "caf\xe9.mp3").path, EncodeFileName(latin1));

    // Trash folders that cannot take a file, and a disk too full for its
    // .trashinfo: refused, and nothing left behind.
    const QString kept = songs.write("kept.mp3");
    for (const char* folder : {"info", "files"}) {
        QFile::setPermissions(fresh.Trash() + "/" + folder, QFile::ReadOwner | QFile::ExeOwner);
        const TrashResult result = TrashFile(kept);
        EXPECT_TRUE(result.refused) << folder;
        EXPECT_EQ(result.error, EACCES) << folder;
        QFile::setPermissions(fresh.Trash() + "/" + folder,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    {
        const FullDisk full(16);
        EXPECT_EQ(TrashFile(kept).error, EFBIG);
    }
    EXPECT_TRUE(IsRegularFile(kept));
    EXPECT_FALSE(QFileInfo::exists(fresh.Trash() + "/info/kept.mp3.trashinfo"));

    // A data folder that cannot be written, with no trash in it yet.
    std::filesystem::remove_all(EncodeFileName(fresh.Trash()).toStdString());
    UnwritableFolder data(fresh.home.at(".local/share"));
    EXPECT_TRUE(TrashFile(kept).refused);
    EXPECT_TRUE(IsRegularFile(kept));
    QDir::setCurrent(workingFolder);
}

// A file on another file system than the home goes to that file system's
// own trash, with a Path relative to its top; where the user may not make one
// there (a disk mounted by root), the file stays.
TEST(TrashFile, UsesTheTrashOfTheFilesOwnFileSystem) {
    UnprivilegedUser user;
    struct stat shm {};
    struct stat tmp {};
    if (!user.ok() || ::stat("/dev/shm", &shm) != 0 || ::stat("/tmp", &tmp) != 0 ||
        shm.st_dev == tmp.st_dev || ::access("/", W_OK) == 0)
        GTEST_SKIP() << "needs /dev/shm on a file system of its own, and / unwritable";
    FreshHome fresh; // in /tmp
    const QString song = fresh.home.write("song.mp3");
    qputenv("HOME", "/dev/shm");
    EXPECT_EQ(TrashFile(song).error, EACCES); // no /.Trash-$uid can be made
    EXPECT_TRUE(IsRegularFile(song));

    qputenv("HOME", fresh.home.path().toUtf8());
    QTemporaryDir onShm("/dev/shm/tunevault-test-XXXXXX");
    const QString name = QFileInfo(onShm.path()).fileName();
    const QString trash = "/dev/shm/.Trash-" + QString::number(::getuid());
    const bool trashExisted = QFileInfo::exists(trash);
    QFile(onShm.path() + "/song.mp3").open(QIODevice::WriteOnly);
    EXPECT_EQ(TrashFile(onShm.path() + "/song.mp3").error, 0);
    EXPECT_EQ(InTrash(trash, "song.mp3").path, (name + "/song.mp3").toUtf8());
    QFile::remove(trash + "/files/song.mp3");
    QFile::remove(trash + "/info/song.mp3.trashinfo");
    if (!trashExisted)
        QDir(trash).removeRecursively();
}
