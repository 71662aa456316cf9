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
