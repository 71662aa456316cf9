#pragma once
// Moving through a pair of name and path lists, and playing the selected path.

class ListBox;
class MediaPlayer;

namespace MP3Mod {

// Moves the path list, then the name list, by step rows (from no selection,
// +1 reaches the first row). The name list's click keeps the two in step.
void StepRows(ListBox& names, ListBox& paths, int step);

// Opens the path selected in the path list; with none selected, nothing.
void OpenSelectedPath(MediaPlayer& media, const ListBox& paths);

} // namespace MP3Mod
