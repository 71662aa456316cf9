#include "library/startup.h"

#include <QCoreApplication>

#include "base/files.h"
#include "base/ini.h"
#include "base/say.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/timer.h"
#include "library/songlist.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/windowing.h"

namespace {

// A folder is accepted when it holds at least one normal file.
bool FolderPasses(const QString& folder) {
    return !folder.isEmpty() && MP3Mod::FileExists(folder + QLatin1Char('/'));
}

} // namespace

Startup::Startup(Form1& form1, Form2& form2, Form3& form3, Form4& form4, Dialogs& dialogs,
                 QString settingsFile)
    : form1_(form1), form2_(form2), form3_(form3), form4_(form4), dialogs_(dialogs),
      settingsFile_(std::move(settingsFile)) {}

void Startup::Form1Load() {
    const QString stored = StoredDirectory();
    // A stored folder that has gone since (or none at all) asks again.
    if (!MP3Mod::IsFolder(MP3Mod::ExpandHome(stored))) {
        FirstRun();
        return;
    }
    form1_.dir->setText(stored);
    FillLists(stored);
    HideMainAndPanel();
    ShowForm3();
    Finish();
}

QString Startup::StoredDirectory() const {
    if (!MP3Mod::FileExists(settingsFile_))
        return {};
    return MP3Mod::ReadIniValue(QStringLiteral("settings"), QStringLiteral("directory"),
                                settingsFile_);
}

// Asks for the folder; after a refused answer asks once more. Only an answer
// that passes the folder test is stored and listed; otherwise the program
// starts with an empty song list.
void Startup::FirstRun() {
    QString answer =
        AskDirectory(QStringLiteral("What is your mp3 directory?.  Example: c:\\kelm\\mp3s"));
    if (!FolderPasses(answer)) {
        dialogs_.MsgBox(answer.isEmpty()
                            ? QStringLiteral("Please reinput your MP3 Playlist.")
                            : QStringLiteral("Your mp3 directory is invalid, Please reinput it."),
                        QStringLiteral("Error."), Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
        answer = AskDirectory(QStringLiteral("What is your mp3 directory?"));
    }
    if (FolderPasses(answer)) {
        StoreDirectory(answer);
        FillLists(answer);
    }
    ShowForm3();
    HideMainAndPanel();
    Finish();
}

// A folder that cannot be stored is asked for again at the next start: the
// user is told why.
void Startup::StoreDirectory(const QString& folder) {
    const QString failure = MP3Mod::WriteIniValue(
        QStringLiteral("Settings"), QStringLiteral("Directory"), folder, settingsFile_);
    if (failure.isEmpty())
        return;
    const QString text = QStringLiteral("The settings file ") + settingsFile_ +
                         QStringLiteral(" could not be written: ") + failure;
    MP3Mod::Say(text);
    dialogs_.ShowError(text);
}

QString Startup::AskDirectory(const QString& prompt) {
    const QString answer = dialogs_.InputBox(prompt, QStringLiteral("Input mp3 directory."));
    form1_.dir->setText(answer);
    return answer;
}

void Startup::FillLists(const QString& folder) {
    MP3Mod::FillSongList(*form1_.File1, *form1_.Songs, folder);
}

void Startup::HideMainAndPanel() {
    form1_.hide();
    form2_.EnsureLoaded();
    form2_.hide();
}

void Startup::ShowForm3() {
    form3_.EnsureLoaded();
    // Shown before the events waiting are handled: the player starts the
    // first song at the next turn of the event loop, after the window is up.
    // The user's input waits until the start-up has finished.
    do {
        form3_.show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (!form3_.isVisible());
}

void Startup::Finish() {
    for (Timer* timer : {form1_.Timer2, form1_.Timer3, form1_.Timer4, form1_.Timer5, form1_.Timer6})
        timer->SetEnabled(false);
    MP3Mod::MakeTopMost(form1_);
    MP3Mod::CenterForm(form1_);
    form4_.EnsureLoaded();
    MP3Mod::PlaceCompanions(form1_, form2_, form4_);
    form1_.SetHeight(FormWindow::DesignHeight);
}
