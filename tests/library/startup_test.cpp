#include <cerrno>

#include <QFileInfo>

#include "base/files.h"
#include "base/ini.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/timer.h"
#include "tests/support/fulldisk.h"
#include "tests/support/programfixture.h"
#include "tests/support/startupchecks.h"

namespace {

const QString FirstPrompt = "What is your mp3 directory?.  Example: c:\\kelm\\mp3s";
const QString SecondPrompt = "What is your mp3 directory?";
const QString InputTitle = "Input mp3 directory.";

} // namespace

class StartupTest : public ProgramTest {
protected:
    void SetUp() override {
        music.write("Rock - Song_1.mp3");
        music.write("track_01.MP3");
        music.write("cover.jpg");
    }

    void expectStartedWithSongs(const QString& folder) {
        Form1& form1 = program->form1;
        EXPECT_EQ(form1.List1->Items(),
                  QStringList({QString::fromUtf8("Rock  \u203A  Song_1"), "track_01"}));
        EXPECT_EQ(form1.List2->Items(),
                  QStringList({folder + "/Rock - Song_1.mp3", folder + "/track_01.MP3"}));
        expectFinished();
    }

    void expectFinished() {
        EXPECT_TRUE(program->form3.isVisible());
        EXPECT_FALSE(program->form1.isVisible());
        EXPECT_FALSE(program->form2.isVisible());
        ExpectStartupFinished(*program);
    }

    void expectAsked(std::initializer_list<QString> promptsAndMessages) {
        ASSERT_EQ(dialogs.shown.size(), promptsAndMessages.size());
        size_t i = 0;
        for (const QString& text : promptsAndMessages)
            EXPECT_EQ(dialogs.shown[i++].text, text);
    }
};

TEST_F(StartupTest, StoredDirectoryFillsTheListWithoutQuestions) {
    storeDirectory(music.path());
    start();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(program->form1.dir->text(), music.path());
    expectStartedWithSongs(music.path());
}

TEST_F(StartupTest, FirstRunStoresTheAnswerAsTypedAndFillsTheList) {
    dialogs.inputAnswers = {music.path() + "/"};
    start();
    expectAsked({FirstPrompt});
    EXPECT_EQ(dialogs.shown[0].title, InputTitle);
    EXPECT_EQ(config.read("tunevault/mp3.ini"),
              "[Settings]\nDIRECTORY=" + music.path().toUtf8() + "/\n");
    EXPECT_EQ(program->form1.dir->text(), music.path() + "/");
    expectStartedWithSongs(music.path());
}

// The answer is listed all the same; the next start will ask again.
TEST_F(StartupTest, FirstRunWhoseSettingsCannotBeWrittenSaysWhy) {
    config.write("tunevault/mp3.ini", "\xEF\xBB\xBF; written by an editor\n");
    dialogs.inputAnswers = {music.path()};
    {
        const FullDisk full(16);
        start();
    }
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].title, "Error.");
    EXPECT_EQ(dialogs.shown[1].text, "The settings file " + settingsFile() +
                                         " could not be written: " + MP3Mod::ErrorText(EFBIG));
    EXPECT_EQ(config.read("tunevault/mp3.ini"), "\xEF\xBB\xBF; written by an editor\n");
    expectStartedWithSongs(music.path());

    // With room again, the answer is stored in the one section, and the next
    // start finds it.
    program.reset();
    dialogs.inputAnswers = {music.path()};
    start();
    EXPECT_EQ(config.read("tunevault/mp3.ini"), "\xEF\xBB\xBF; written by an editor\n"
                                                "[Settings]\nDIRECTORY=" +
                                                    music.path().toUtf8() + "\n");
    dialogs.shown.clear();
    program.reset();
    start();
    EXPECT_TRUE(dialogs.shown.empty());
    expectStartedWithSongs(music.path());
}

TEST_F(StartupTest, EmptyAnswerAsksOnceMoreAndUsesAValidSecondAnswer) {
    dialogs.inputAnswers = {"", music.path(), "never asked"};
    start();
    expectAsked({FirstPrompt, "Please reinput your MP3 Playlist.", SecondPrompt});
    EXPECT_EQ(dialogs.shown[1].title, "Error.");
    EXPECT_EQ(dialogs.shown[2].title, InputTitle);
    EXPECT_EQ(config.read("tunevault/mp3.ini"),
              "[Settings]\nDIRECTORY=" + music.path().toUtf8() + "\n");
    expectStartedWithSongs(music.path());
}

TEST_F(StartupTest, InvalidAnswersStoreNothingAndStartWithAnEmptyList) {
    const QString onlyFolders = config.makeFolder("only folders/sub");
    const QString onlyHidden = config.write("only hidden/.x.mp3");
    dialogs.inputAnswers = {QFileInfo(onlyFolders).path(), QFileInfo(onlyHidden).path(), "x"};
    start();
    expectAsked({FirstPrompt, "Your mp3 directory is invalid, Please reinput it.", SecondPrompt});
    EXPECT_EQ(dialogs.shown[1].title, "Error.");
    EXPECT_FALSE(QFileInfo::exists(settingsFile()));
    EXPECT_EQ(program->form1.dir->text(), QFileInfo(onlyHidden).path());
    EXPECT_EQ(program->form1.List1->ListCount(), 0);
    EXPECT_EQ(program->form1.List2->ListCount(), 0);
    expectFinished();
}

TEST_F(StartupTest, CancelledQuestionsLeaveNoSettingsFile) {
    start();
    expectAsked({FirstPrompt, "Please reinput your MP3 Playlist.", SecondPrompt});
    EXPECT_FALSE(QFileInfo::exists(settingsFile()));
    EXPECT_EQ(program->form1.List1->ListCount(), 0);
    expectFinished();
}

TEST_F(StartupTest, FolderWithoutSongsPassesButListsNothing) {
    TestFolder pictures;
    pictures.write("cover.jpg");
    dialogs.inputAnswers = {pictures.path()};
    start();
    expectAsked({FirstPrompt});
    EXPECT_TRUE(QFileInfo::exists(settingsFile()));
    EXPECT_EQ(program->form1.List1->ListCount(), 0);
}

TEST_F(StartupTest, VanishedOrMissingStoredDirectoryAsksAgain) {
    for (const QByteArray& settings :
         {QByteArray("[Settings]\nDIRECTORY=") + config.at("gone").toUtf8() + "\n",
          QByteArray("[Settings]\nOTHER=1\n"), QByteArray("\x01\x02garbage")}) {
        config.write("tunevault/mp3.ini", settings);
        dialogs.shown.clear();
        dialogs.inputAnswers = {music.path()};
        start();
        expectAsked({FirstPrompt});
        expectStartedWithSongs(music.path());
        EXPECT_EQ(MP3Mod::ReadIniValue("settings", "directory", settingsFile()), music.path());
    }
}

TEST_F(StartupTest, SettingsFileThatIsAFifoNeitherHangsNorIsReplaced) {
    config.makeFolder("tunevault");
    config.makeFifo("tunevault/mp3.ini");
    dialogs.inputAnswers = {music.path()};
    start();
    expectStartedWithSongs(music.path());
    EXPECT_FALSE(QFileInfo(settingsFile()).isFile());
}

TEST_F(StartupTest, StoredFolderThatExistsIsUsedEvenWhenEmpty) {
    TestFolder empty;
    storeDirectory(empty.path());
    start();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(program->form1.List1->ListCount(), 0);
    expectFinished();
}
