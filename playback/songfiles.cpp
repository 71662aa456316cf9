#include "playback/songfiles.h"

#include <cerrno>

#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

#include "base/common.h"
#include "base/files.h"
#include "base/names.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "library/songlist.h"
#include "windows/form1.h"
#include "windows/form4.h"

namespace MP3Mod {

bool RenameSongFile(Dialogs& dialogs, const QString& oldPath, const QString& newPath) {
    const QString target = newPath + QStringLiteral(".mp3");
    const int error = FileExists(target)
                          ? EEXIST
                          : RenameWithoutReplacing(EncodeFileName(oldPath), EncodeFileName(target));
    if (error == EEXIST)
        dialogs.MsgBox(QStringLiteral("File already exists, please try again."),
                       QStringLiteral("Error."), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
    else if (error != 0)
        dialogs.ShowError(QStringLiteral("The file ") + oldPath +
                          QStringLiteral(" could not be renamed: ") + MP3Mod::ErrorText(error));
    return error == 0;
}

} // namespace MP3Mod

SongFiles::SongFiles(Form1& form1, Form4& form4, Dialogs& dialogs)
    : form1_(form1), form4_(form4), dialogs_(dialogs) {}

void SongFiles::DeleteMP3Click() {
    ListBox& names = *form1_.List1;
    const int row = names.ListIndex();
    if (row < 0)
        return;
    // Only the file named in the question is ever deleted, whatever the list
    // holds once it has been rebuilt.
    const QString confirmed = form1_.Songs->Path(row);
    const auto answer = dialogs_.MsgBox(QStringLiteral("Are you sure you want to Delete ") +
                                            names.List(row) + QLatin1Char('?'),
                                        QStringLiteral("Confirmation of Delete."),
                                        Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes)
        return;
    names.setEnabled(false);
    form1_.Stats->setText(QStringLiteral("Please wait while I delete that file."));
    MP3Mod::RefreshSongList(form1_);
    form1_.Songs->Select(row);
    const bool deleted = DeleteConfirmed(confirmed);
    MP3Mod::RefreshSongList(form1_);
    MP3Mod::WaitSeconds(0.22);
    names.setEnabled(true);
    if (deleted)
        form1_.Stats->setText(QStringLiteral("File deleted successfully."));
}

bool SongFiles::DeleteConfirmed(const QString& path) {
    using Outcome = MP3Mod::Deletion::Outcome;
    const MP3Mod::Deletion deletion = MP3Mod::MoveToTrashOrAsk(dialogs_, path);
    if (deletion.outcome == Outcome::Deleted || deletion.outcome == Outcome::Kept)
        return deletion.outcome == Outcome::Deleted;
    dialogs_.ShowError(
        QStringLiteral("The file ") + path + QStringLiteral(" could not be deleted: ") +
        (deletion.outcome == Outcome::Gone ? QStringLiteral("it is gone.") : deletion.failure));
    return false;
}

void SongFiles::Renamemp3Click() {
    const QString old = form1_.Songs->SelectedPath();
    if (form1_.List1->ListIndex() < 0 || old.isEmpty())
        return;
    const QString answer = dialogs_.InputBox(
        QStringLiteral("What is the new filename you want for ") + MP3Mod::FileNameFromPath(old),
        QStringLiteral("New Filename."));
    const QString name = MP3Mod::UnderscoresToBlanks(MP3Mod::CutMp3Extension(answer));
    // A new name is a name in the song's own folder, nothing else, and one the
    // song list shows: a hidden name (".a", ".", "..") would make the song vanish.
    if (answer.contains(QLatin1Char('/')) || name.isEmpty() || name.startsWith(QLatin1Char('.'))) {
        dialogs_.MsgBox(QStringLiteral("Your input was invalid.  Please try again."),
                        QStringLiteral("Invalid."), Dialogs::Icon::Exclamation,
                        Dialogs::Buttons::Ok);
        return;
    }
    MP3Mod::RenameSongFile(dialogs_, old, MP3Mod::JoinPath(QFileInfo(old).path(), name));
    MP3Mod::WaitSeconds(0.22);
    MP3Mod::RefreshSongList(form1_);
}

void SongFiles::CountStringClick() {
    ListBox& counter = *form1_.List3;
    counter.Clear();
    const QString typed = dialogs_.InputBox(
        QStringLiteral("What String do you want to count?\r\nEx: Slipk for slipknot or 3p for "
                       "3pebble"),
        QStringLiteral("String to add=?"));
    if (typed.isEmpty())
        return;
    QStringList matching;
    for (const QString& name : form1_.List1->Items())
        if (MP3Mod::TextMatches(name, typed))
            matching.append(name);
    counter.AddItems(matching);
    dialogs_.MsgBox(QStringLiteral("You have ") + QString::number(counter.ListCount()) +
                        QStringLiteral(" songs matching ") + typed,
                    QStringLiteral("Conformation."), Dialogs::Icon::Information,
                    Dialogs::Buttons::Ok);
    counter.Clear();
}

void SongFiles::AddToPlaylistClick() {
    const int row = form1_.List1->ListIndex();
    if (row < 0)
        return;
    form4_.Entries->Append(QStringList{form1_.List1->List(row)},
                           QStringList{form1_.Songs->Path(row)});
}
