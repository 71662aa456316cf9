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

QStringList FullPaths(const FileListBox& files) {
    QStringList paths;
    paths.reserve(files.ListCount());
    for (const QString& name : files.Items())
        paths.append(MP3Mod::JoinPath(files.Path(), name));
    return paths;
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
    QStringList shown = form1.File1->Items();
    for (QString& name : shown)
        name = MP3Mod::ShownFileName(name);
    names.AddItems(shown);
    paths.AddItems(FullPaths(*form1.File1));
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
    QStringList shown;
    shown.reserve(files.ListCount());
    for (const QString& file : files.Items())
        shown.append(SongListName(file));
    names.AddItems(shown);
    paths.AddItems(FullPaths(files));
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
