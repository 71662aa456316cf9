#pragma once
// Two list boxes that stay row for row: the names the user sees and picks
// from, and the full paths behind them.

#include <QObject>
#include <QStringList>

#include "base/textlist.h"

class ListBox;
class MediaPlayer;

class ListPair : public QObject {
    Q_OBJECT
public:
    // From here on the path list follows every change of the name list's
    // selection, by the user or by code; a cleared selection clears both.
    ListPair(ListBox& names, ListBox& paths, QObject* parent);

    // The selected row, -1 when none is.
    int Selected() const;
    // Selects a row of both lists (-1 selects none); a row that does not
    // exist is refused.
    bool Select(int row);
    // Moves the selection by step rows (from no selection, +1 reaches the
    // first row, and -1 from the first row selects none).
    void Step(int step);

    // The path of a row; empty for a row that does not exist.
    QString Path(int row) const;
    // The path on the path list's selected row; empty when none is.
    QString SelectedPath() const;
    const MP3Mod::TextList& Paths() const;
    const MP3Mod::TextList& Names() const;

    // Appends rows: names[i] is shown for paths[i].
    void Append(MP3Mod::TextList names, MP3Mod::TextList paths);
    void Append(const QStringList& names, const QStringList& paths);
    // Shows new names for the rows, one per path, in order.
    void Rename(const QStringList& names);
    void Remove(int row);
    void Clear();

private:
    ListBox& names_;
    ListBox& paths_;
};

namespace MP3Mod {

// Opens the selected row's song; with none selected, nothing.
bool OpenSelectedPath(MediaPlayer& media, const ListPair& rows);

} // namespace MP3Mod
