#include "library/songlist.h"

#include "base/common.h"
#include "base/files.h"
#include "base/names.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "windows/form1.h"
#include "windows/form2.h"

namespace {

const QString PleaseWait = QStringLiteral("Please wait while I refresh the mp3s.");
const QString ThankYou = QStringLiteral("Thank you for waiting.");

// Appends a row to songs for every song the file list holds: the name given
// for it, and the song's full path.
void AddSongRows(const FileListBox& files, ListPair& songs, MP3Mod::TextList names) {
    MP3Mod::TextList full;
    full.reserve(files.ListCount(),
                 files.Texts().byteSize() + files.ListCount() * (files.Path().toUtf8().size() + 1));
    full.appendEach(MP3Mod::JoinPath(files.Path(), QString()), files.Texts());
    songs.Append(std::move(names), std::move(full));
}

// The part all three rebuilds share: the song directory listed afresh, rows
// showing plain file names.
void RebuildLists(Form1& form1, bool showPathList) {
    if (showPathList)
        form1.List2->show();
    form1.List1->setEnabled(false);
    form1.Songs->Clear();
    form1.Stats->setText(PleaseWait);
    form1.File1->SetPath(form1.dir->text());
    AddSongRows(*form1.File1, *form1.Songs, MP3Mod::ShownFileNames(form1.File1->Texts()));
    form1.List1->setEnabled(true);
}

void ThankForWaiting(Form1& form1, double seconds) {
    form1.Stats->setText(ThankYou);
    MP3Mod::WaitSeconds(seconds);
    form1.Stats->clear();
}

QString CountText(const QString& lead, const ListBox& list) {
    return lead + QString::number(list.ListCount());
}

} // namespace

namespace MP3Mod {

void FillSongList(FileListBox& files, ListPair& songs, const QString& folder) {
    files.SetPath(folder);
    AddSongRows(files, songs, SongListNames(files.Texts()));
}

void RefreshSongList(Form1& form1) {
    RebuildLists(form1, true);
    ThankForWaiting(form1, 1);
}

} // namespace MP3Mod

SongListCommands::SongListCommands(Form1& form1, Form2& form2, Dialogs& dialogs)
    : form1_(form1), form2_(form2), dialogs_(dialogs) {}

void SongListCommands::RefreshlistClick() {
    RebuildLists(form1_, true);
    MP3Mod::WaitSeconds(0.22);
    form2_.mp3Count->setText(CountText(QStringLiteral("Refreshed mp3 count: "), *form1_.List1));
    ThankForWaiting(form1_, 10);
    form2_.mp3Count->setText(CountText(QStringLiteral("mp3 Count: "), *form1_.List1));
}

void SongListCommands::AddDirectoryClick() {
    const QString answer =
        dialogs_.InputBox(QStringLiteral("What directory of mp3s would you like to add?"),
                          QStringLiteral("What dir.?"));
    if (answer.isEmpty())
        return; // cancelled, or nothing typed
    const QString folder = answer + QLatin1Char('/');
    if (MP3Mod::FileExists(folder))
        MP3Mod::FillSongList(*form1_.File1, *form1_.Songs, folder);
}

void SongListCommands::lblRefreshClick() {
    RebuildLists(form1_, false);
    ThankForWaiting(form1_, 10);
}
