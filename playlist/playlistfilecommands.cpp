#include "playlist/playlistfilecommands.h"

#include "base/files.h"
#include "base/names.h"
#include "base/playlistfiles.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "windows/form4.h"

namespace {

const QString DefaultName = QStringLiteral("Playlist.m3u");

} // namespace

PlaylistFileCommands::PlaylistFileCommands(Form4& form4, Dialogs& dialogs, QString programFolder)
    : form4_(form4), dialogs_(dialogs), folder_(std::move(programFolder)) {}

QString PlaylistFileCommands::InFolder(const QString& name) const {
    return MP3Mod::JoinPath(folder_, name);
}

bool PlaylistFileCommands::Save(const QString& path) {
    const QString failure = MP3Mod::WritePlaylistFile(path, form4_.Entries->Paths().toStringList());
    if (!failure.isEmpty())
        dialogs_.ShowError(QStringLiteral("The playlist could not be saved as ") + path +
                           QStringLiteral(": ") + failure);
    return failure.isEmpty();
}

void PlaylistFileCommands::SaveplaylistClick() {
    if (!MP3Mod::FileExists(InFolder(DefaultName))) {
        if (Save(InFolder(DefaultName)))
            dialogs_.MsgBox(QStringLiteral("List saved as ") + InFolder(DefaultName) +
                                QLatin1Char('.'),
                            QStringLiteral("List Saved successfully."), Dialogs::Icon::Information,
                            Dialogs::Buttons::Ok);
        return;
    }
    const QString name = dialogs_.InputBox(
        QStringLiteral("Playlist.m3u Already exists, Please choose another name for your Playlist "
                       "name, It will be saved as ") +
            InFolder(QStringLiteral("whatever.m3u")) +
            QStringLiteral(", Whatever as what you input.  If you wish to add on to your Current "
                           "Playlist, type the name of the playlist in."),
        QStringLiteral("Input name."));
    if (name.isEmpty())
        return;
    // The name is a file name in the program folder, never a way out of it,
    // and never a hidden file, which the chooser would not offer.
    if (name.contains(QLatin1Char('/'))) {
        dialogs_.ShowError(QStringLiteral("A playlist name cannot hold \"/\": ") + name);
        return;
    }
    if (name.startsWith(QLatin1Char('.'))) {
        dialogs_.ShowError(QStringLiteral("A playlist name cannot start with \".\": ") + name);
        return;
    }
    Save(InFolder(name + QStringLiteral(".m3u")));
}

void PlaylistFileCommands::LoadPlaylist1Click() {
    form4_.List1->Clear();
    form4_.File1->SetPath(folder_);
    const int found = form4_.File1->ListCount();
    if (found > 1) {
        form4_.Label2->hide();
        form4_.List1->hide();
        form4_.Loadit->show();
        form4_.File1->show();
        dialogs_.MsgBox(QStringLiteral("There has been more than one Playlist Found, You can "
                                       "choose from them now."),
                        QStringLiteral("Multiple Finds."), Dialogs::Icon::Information,
                        Dialogs::Buttons::Ok);
    } else if (found == 1) {
        form4_.File1->SetListIndex(0);
        Load(InFolder(form4_.File1->List(0)));
    } else {
        RefillNames(); // the entries stay; the shown list must match them
        dialogs_.MsgBox(QStringLiteral("There were no playlists found, please make one or more "
                                       "then try again."),
                        QStringLiteral("No playlists found."), Dialogs::Icon::Exclamation,
                        Dialogs::Buttons::Ok);
    }
}

void PlaylistFileCommands::LoaditClick() {
    const int chosen = form4_.File1->ListIndex();
    if (chosen < 0)
        return; // nothing chosen yet: the chooser stays
    Load(InFolder(form4_.File1->List(chosen)));
    form4_.List1->show();
    form4_.File1->hide();
    form4_.Label2->show();
    form4_.Loadit->hide();
}

// Loading appends the file's entries to the playlist; every row then shows
// its file name.
void PlaylistFileCommands::Load(const QString& path) {
    form4_.ThePlaylist->setText(path);
    const QStringList entries = MP3Mod::ReadPlaylistFile(path);
    form4_.Entries->Append(MP3Mod::EntryNames(entries), entries);
    RefillNames();
}

void PlaylistFileCommands::RefillNames() {
    form4_.Entries->Rename(MP3Mod::EntryNames(form4_.Entries->Paths().toStringList()));
}
