#include "playback/rowsteps.h"

#include "base/mediaplayer.h"
#include "controls/listbox.h"

namespace MP3Mod {

void StepRows(ListBox& names, ListBox& paths, int step) {
    paths.SetListIndex(paths.ListIndex() + step);
    names.SetListIndex(names.ListIndex() + step);
}

void OpenSelectedPath(MediaPlayer& media, const ListBox& paths) {
    const int row = paths.ListIndex();
    if (row >= 0)
        media.OpenFile(paths.List(row));
}

} // namespace MP3Mod
