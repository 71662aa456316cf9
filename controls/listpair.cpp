#include "controls/listpair.h"

#include "base/mediaplayer.h"
#include "controls/listbox.h"

ListPair::ListPair(ListBox& names, ListBox& paths, QObject* parent)
    : QObject(parent), names_(names), paths_(paths) {
    // Connected before anyone else can be, so every other handler of the
    // name list's click already sees the path list on the same row.
    connect(&names_, &ListBox::Click, this, [this] { paths_.SetListIndex(names_.ListIndex()); });
}

int ListPair::Selected() const {
    return names_.ListIndex();
}

bool ListPair::Select(int row) {
    return names_.SetListIndex(row);
}

void ListPair::Step(int step) {
    Select(Selected() + step);
}

QString ListPair::Path(int row) const {
    return paths_.List(row);
}

QString ListPair::SelectedPath() const {
    return Path(paths_.ListIndex());
}

const MP3Mod::TextList& ListPair::Paths() const {
    return paths_.Texts();
}

const MP3Mod::TextList& ListPair::Names() const {
    return names_.Texts();
}

void ListPair::Append(MP3Mod::TextList names, MP3Mod::TextList paths) {
    paths_.AddItems(std::move(paths));
    names_.AddItems(std::move(names));
}

void ListPair::Append(const QStringList& names, const QStringList& paths) {
    Append(MP3Mod::TextList(names), MP3Mod::TextList(paths));
}

void ListPair::Rename(const QStringList& names) {
    names_.Clear();
    names_.AddItems(names);
}

void ListPair::Remove(int row) {
    // The path goes first, so that the name list's click on its own removal
    // finds the rows in step.
    paths_.RemoveItem(row);
    names_.RemoveItem(row);
}

void ListPair::Clear() {
    names_.Clear();
    paths_.Clear();
}

namespace MP3Mod {

bool OpenSelectedPath(MediaPlayer& media, const ListPair& rows) {
    const QString path = rows.SelectedPath();
    if (path.isEmpty())
        return false;
    media.OpenFile(path);
    return true;
}

} // namespace MP3Mod
