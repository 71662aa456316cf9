#include "playlist/playlistentries.h"

#include <cerrno>

#include <QCursor>
#include <QMenu>

#include "base/common.h"
#include "base/files.h"
#include "base/mediaplayer.h"
#include "base/names.h"
#include "base/playlistfiles.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "controls/timer.h"
#include "windows/form1.h"
#include "windows/form4.h"
#include "windows/windowing.h"

PlaylistEntries::PlaylistEntries(Form1& form1, Form4& form4, MediaPlayer& media, Dialogs& dialogs)
    : form1_(form1), form4_(form4), media_(media), dialogs_(dialogs) {}

void PlaylistEntries::Form4Load() {
    MP3Mod::MakeTopMost(form4_);
    form4_.Timer1->SetEnabled(false);
    form4_.Timer2->SetEnabled(false);
}

void PlaylistEntries::FormMouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    form4_.Entries->Select(-1);
}

void PlaylistEntries::Label2Click() {
    form4_.Stuff->popup(QCursor::pos());
}

void PlaylistEntries::List1MouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton)
        form4_.Stuff->popup(QCursor::pos());
}

void PlaylistEntries::List1DblClick() {
    MP3Mod::OpenSelectedPath(media_, *form4_.Entries);
}

void PlaylistEntries::Additem1Click() {
    AddMatchingSongs();
}

void PlaylistEntries::AddMatchingSongs() {
    const QString typed = dialogs_.InputBox(
        QStringLiteral("What String do you want to add?\r\nEx: Slipk for slipknot "
                       "or 3p for 3pebble. Just partially what you want added is "
                       "acceptable"),
        QStringLiteral("String to add=?"));
    if (typed.isEmpty())
        return;
    const MP3Mod::TextList& names = form1_.Songs->Names();
    const MP3Mod::TextList& paths = form1_.Songs->Paths();
    QStringList addedNames;
    QStringList addedPaths;
    for (qsizetype row = 0; row < names.size() && row < paths.size(); ++row) {
        if (MP3Mod::TextMatches(names.at(row), typed)) {
            addedPaths.append(paths.at(row));
            addedNames.append(names.at(row));
        }
    }
    form4_.Entries->Append(addedNames, addedPaths);
}

void PlaylistEntries::AppendSongs(const QStringList& paths) {
    form4_.Entries->Append(MP3Mod::EntryNames(paths), paths);
}

void PlaylistEntries::OpenSongs(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    // Load's chooser empties the shown rows only: they are shown again, so
    // that the row selected is the first new song's.
    if (form4_.List1->ListCount() != form4_.Entries->Paths().size())
        form4_.Entries->Rename(MP3Mod::EntryNames(form4_.Entries->Paths().toStringList()));
    const int first = form4_.List1->ListCount();
    AppendSongs(paths);
    form4_.Entries->Select(first);
    List1DblClick();
}

// A dropped folder gives its songs, as the song list shows them. What is not
// a song is passed over and said once for the whole drop.
void PlaylistEntries::FormFilesDropped(const QStringList& uris) {
    QStringList songs;
    QStringList refused;
    for (const QString& uri : uris) {
        const QString path = MP3Mod::PathFromFileUri(uri);
        if (MP3Mod::IsSongFile(path))
            songs.append(path);
        else if (MP3Mod::IsFolder(path))
            for (const QString& name :
                 MP3Mod::ListNormalFiles(path, QStringLiteral("*.mp3*")).toStringList())
                songs.append(MP3Mod::JoinPath(path, name));
        else
            refused.append(path.isEmpty() ? uri : MP3Mod::ShownFileName(path));
    }
    if (refused.size() == 1)
        dialogs_.ShowError(QStringLiteral("Not an MP3 file: ") + refused.front());
    else if (refused.size() > 1)
        dialogs_.ShowError(
            QString::number(refused.size()) +
            QStringLiteral(" dropped files are not MP3 files: they were passed over."));
    OpenSongs(songs);
}

void PlaylistEntries::RemoveItemClick() {
    const int row = form4_.List1->ListIndex();
    if (row < 0)
        return;
    form4_.Entries->Remove(row);
    form4_.Entries->Select(-1);
}

void PlaylistEntries::ClearListClick() {
    const QString loaded = form4_.ThePlaylist->text();
    if (loaded.isEmpty()) {
        dialogs_.MsgBox(QStringLiteral("Please make or load a playlist."), QStringLiteral("Error."),
                        Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return;
    }
    // Kept at the user's word, the playlist stays loaded and listed. A file
    // already gone leaves nothing to delete; any other failure is said.
    const MP3Mod::Deletion deletion = MP3Mod::MoveToTrashOrAsk(dialogs_, loaded);
    if (deletion.outcome == MP3Mod::Deletion::Outcome::Kept)
        return;
    if (deletion.outcome == MP3Mod::Deletion::Outcome::Failed)
        dialogs_.ShowError(QStringLiteral("The playlist ") + loaded +
                           QStringLiteral(" could not be deleted: ") + deletion.failure);
    form4_.Entries->Clear();
    form4_.ThePlaylist->clear();
}
