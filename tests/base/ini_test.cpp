#include <QFileInfo>
#include <gtest/gtest.h>

#include "base/ini.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"

using namespace MP3Mod;

TEST(Ini, FirstWriteCreatesSectionAndUpperCasedKey) {
    TestFolder config;
    const QString file = config.at("sub/folder/mp3.ini");
    ASSERT_EQ(WriteIniValue("Settings", "Directory", "/home/me/My Music/", file), "");
    EXPECT_EQ(config.read("sub/folder/mp3.ini"), "[Settings]\nDIRECTORY=/home/me/My Music/\n");
    EXPECT_EQ(ReadIniValue("settings", "directory", file), "/home/me/My Music/");
}

TEST(Ini, LookupIgnoresCaseAndBlanksAroundKeyAndValue) {
    TestFolder config;
    const QString file = config.write("mp3.ini", "; comment\n[other]\ndirectory=/wrong\n"
                                                 "  [SETTINGS]  \r\n  DiRecTory =  /right  \r\n");
    EXPECT_EQ(ReadIniValue("settings", "directory", file), "/right");
    EXPECT_EQ(ReadIniValue("Settings", "DIRECTORY", file), "/right");
}

TEST(Ini, MissingFileSectionOrKeyGivesEmpty) {
    TestFolder config;
    EXPECT_EQ(ReadIniValue("settings", "directory", config.at("none.ini")), "");
    const QString noSection = config.write("a.ini", "[Other]\nDIRECTORY=/x\n");
    const QString noKey = config.write("b.ini", "[Settings]\nFOLDER=/x\n");
    EXPECT_EQ(ReadIniValue("settings", "directory", noSection), "");
    EXPECT_EQ(ReadIniValue("settings", "directory", noKey), "");
}

TEST(Ini, LongValuesComeBackCutTo749Characters) {
    TestFolder config;
    const QString file = config.at("mp3.ini");
    const QString value = QString(700, QChar('a')) + QString(100, QChar(0x00E9));
    ASSERT_EQ(WriteIniValue("Settings", "Directory", value, file), "");
    EXPECT_EQ(ReadIniValue("settings", "directory", file), value.left(749));
    EXPECT_EQ(ReadIniValue("settings", "directory", file).size(), 749);
}

TEST(Ini, WriteReplacesTheKeyAndKeepsEveryOtherLineByteForByte) {
    TestFolder config;
    const QByteArray before = "[Other]\r\nkeep=\xff\xfe raw\r\n\r\n[settings]\r\ndirectory=/old\r\n"
                              "Extra=1\r\n[Last]\r\nz=9";
    const QString file = config.write("mp3.ini", before);
    ASSERT_EQ(WriteIniValue("Settings", "Directory", "/new", file), "");
    EXPECT_EQ(config.read("mp3.ini"), "[Other]\r\nkeep=\xff\xfe raw\r\n\r\n[settings]\r\n"
                                      "DIRECTORY=/new\r\nExtra=1\r\n[Last]\r\nz=9\n");
}

// Some editors begin a UTF-8 file with a byte-order mark.
TEST(Ini, AByteOrderMarkIsReadPastAndKeptWhenWriting) {
    TestFolder config;
    const QString file = config.write("mp3.ini", "\xEF\xBB\xBF[Settings]\r\nDIRECTORY=/old\r\n");
    EXPECT_EQ(ReadIniValue("settings", "directory", file), "/old");
    ASSERT_EQ(WriteIniValue("Settings", "Directory", "/new", file), "");
    EXPECT_EQ(config.read("mp3.ini"), "\xEF\xBB\xBF[Settings]\r\nDIRECTORY=/new\r\n");
}

TEST(Ini, NewKeyGoesAtTheEndOfItsSection) {
    TestFolder config;
    const QString file = config.write("mp3.ini", "[Settings]\nA=1\n\n[Next]\nB=2\n");
    ASSERT_EQ(WriteIniValue("settings", "directory", "/d", file), "");
    EXPECT_EQ(config.read("mp3.ini"), "[Settings]\nA=1\nDIRECTORY=/d\n\n[Next]\nB=2\n");
}

TEST(Ini, GarbledFileKeepsItsBytesAndGainsTheSection) {
    TestFolder config;
    const QByteArray junk("\x00\x01[\xc3(=\n\x89PNG", 10);
    const QString file = config.write("mp3.ini", junk);
    EXPECT_EQ(ReadIniValue("settings", "directory", file), "");
    ASSERT_EQ(WriteIniValue("Settings", "Directory", "/m", file), "");
    EXPECT_EQ(config.read("mp3.ini"), junk + "\n[Settings]\nDIRECTORY=/m\n");
    EXPECT_EQ(ReadIniValue("settings", "directory", file), "/m");
}

TEST(Ini, RefusesWritesThatWouldLoseOrGarbleContent) {
    TestFolder config;
    const QString unreadable = config.makeFolder("mp3.ini"); // exists, cannot be read as a file
    EXPECT_NE(WriteIniValue("Settings", "Directory", "/m", unreadable), "");
    const QString fifo = config.makeFifo("fifo.ini"); // would block whoever opens it
    EXPECT_EQ(ReadIniValue("Settings", "Directory", fifo), "");
    EXPECT_NE(WriteIniValue("Settings", "Directory", "/m", fifo), "");
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    const QString file = config.write("ok.ini", "[Settings]\nDIRECTORY=/old\n");
    EXPECT_NE(WriteIniValue("Settings", "Directory", "/a\n[Evil]\nx=1", file), "");
    EXPECT_EQ(config.read("ok.ini"), "[Settings]\nDIRECTORY=/old\n");
}
