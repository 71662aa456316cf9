#include "library/files.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace MP3Mod;

TEST(ListNormalFiles, MatchesPatternInAnyCaseAndSortsWithoutCase) {
    TestFolder music;
    for (const char* name : {"b.MP3", "A.mp3", "c.mp3.bak", "d.txt", "Mp3 tips.txt", "-lead.mp3",
                             "with blank.mp3", "it's \"q\".mp3", "Ünïcode.mp3", "x.y.z.mp3"})
        music.write(QString::fromUtf8(name));
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*"),
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
    EXPECT_EQ(ListNormalFiles(music.path(), "*.mp3*"), QStringList({"link.mp3", "song.mp3"}));
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
