#pragma once
// Placing the program's windows on the screen.

class FormWindow;

namespace MP3Mod {

// Keeps the window above all windows that are not top-most, where it is.
void MakeTopMost(FormWindow& form);
// Centres the window horizontally and on a point at 42.5 % of the screen height.
void CenterForm(FormWindow& form);

} // namespace MP3Mod

namespace MP3Mod {

// Shrinks the window by 1/divisor of its size a step, around its centre, until
// its width or height is 120 twips or less; then hides it.
void ShrinkAndHide(FormWindow& form, int divisor);

} // namespace MP3Mod

namespace MP3Mod {

// Lets the user move the window with the mouse until the button is released
// (window events are handled meanwhile), then snaps it to the screen edges.
void DragWindow(FormWindow& form);

// Puts the control panel 2290 and the playlist window 4580 twips below the
// main window's top, at its left edge.
void PlaceCompanions(const FormWindow& main, FormWindow& panel, FormWindow& playlist);

// Moves a window that ends within 400 twips of a screen edge, or beyond it,
// flush against that edge (right over left, bottom over top).
void SnapToScreenEdges(FormWindow& form);

} // namespace MP3Mod
