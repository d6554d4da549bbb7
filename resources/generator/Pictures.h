// The artwork: the eight 32 x 32 button pictures and the program icon.
// Magenta surrounds every symbol; the buttons show their background there.
#pragma once

#include "Canvas.h"
#include "Encoders.h"

namespace nereku_resources {

constexpr int kPictureSize = 32;

Canvas DrawNewLevel();     // a blank page with a folded corner
Canvas DrawRestartLevel(); // a green circular arrow
Canvas DrawSaveLevel();    // a floppy disk
Canvas DrawDeleteLevel();  // a white cross on a red disc
Canvas DrawSolveLevel();   // a computer case with a magnifying glass
Canvas DrawLevelEditor();  // a framed picture with a pencil
Canvas DrawHelp();         // a white question mark on a blue disc
Canvas DrawAbout();        // a white letter i on a blue disc

// The program icon: one block of a board, with digits and a greater-than sign,
// drawn in the sixteen colours of its palette.
const Palette16& IconPalette();
Canvas DrawProgramIcon();

} // namespace nereku_resources
