#pragma once
// What assistive tools (screen readers, through the desktop's accessibility
// bus) see of Tunevault's own controls: a label that takes a click is a
// button with a press action, and a picture slider a slider with a value.
// The actions run the same handlers as the mouse does.

namespace MP3Mod {

// Installs the descriptions of Label and Slider. Once, before any window
// shows.
void InstallAccessibility();

} // namespace MP3Mod
