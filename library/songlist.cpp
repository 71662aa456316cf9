#include "library/songlist.h"

#include "base/common.h"
#include "base/files.h"
#include "base/names.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "windows/form1.h"
#include "windows/form2.h"

namespace {

const QString PleaseWait = QStringLiteral("Please wait while I refresh the mp3s.");
const QString ThankYou = QStringLiteral("Thank you for waiting.");

// Appends a row to names and paths for every song the file list holds: the
// name as nameOf shows it, and the song's full path.
void AddSongRows(const FileListBox& files, ListBox& names, ListBox& paths,
                 QString (*nameOf)(const QString&)) {
    const qsizetype count = files.ListCount();
    MP3Mod::TextList shown;
    MP3Mod::TextList full;
    // Shown names may grow (a dash shows as three characters); room that
    // stays unused costs nothing.
    shown.reserve(count, 2 * files.Texts().byteSize());
    full.reserve(count, files.Texts().byteSize() + count * (files.Path().toUtf8().size() + 1));
    for (qsizetype row = 0; row < count; ++row) {
        const QString file = files.Texts().at(row);
        shown.append(nameOf(file));
        full.append(MP3Mod::JoinPath(files.Path(), file));
    }
    names.AddItems(std::move(shown));
    paths.AddItems(std::move(full));
}

// The part all three rebuilds share: the song directory listed afresh, rows
// showing plain file names.
void RebuildLists(Form1& form1, ListBox& names, ListBox& paths, bool showPathList) {
    if (showPathList)
        paths.show();
    names.setEnabled(false);
    names.Clear();
    paths.Clear();
    form1.Stats->setText(PleaseWait);
    form1.File1->SetPath(form1.dir->text());
    AddSongRows(*form1.File1, names, paths, MP3Mod::ShownFileName);
    names.setEnabled(true);
    names.update();
    paths.update();
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

void FillSongList(FileListBox& files, ListBox& names, ListBox& paths, const QString& folder) {
    files.SetPath(folder);
    AddSongRows(files, names, paths, SongListName);
}

void RefreshSongList(Form1& form1, ListBox& nameList, ListBox& pathList) {
    RebuildLists(form1, nameList, pathList, true);
    ThankForWaiting(form1, 1);
}

} // namespace MP3Mod

SongListCommands::SongListCommands(Form1& form1, Form2& form2, Dialogs& dialogs)
    : form1_(form1), form2_(form2), dialogs_(dialogs) {}

void SongListCommands::RefreshlistClick() {
    RebuildLists(form1_, *form1_.List1, *form1_.List2, true);
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
        MP3Mod::FillSongList(*form1_.File1, *form1_.List1, *form1_.List2, folder);
}

void SongListCommands::lblRefreshClick() {
    RebuildLists(form1_, *form1_.List1, *form1_.List2, false);
    ThankForWaiting(form1_, 10);
}
