// Where the main window stood when the program was last closed: the [Window] section of the
// settings file, read warily, since a hand-edited or foreign file can say anything there.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vartesk {

struct TScreenArea
{
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

// The position is that of the frame's top left corner and the size that of the inside, as
// the window system moves and sizes a window; storing and restoring the same pair keeps a
// window where it was.
struct TWindowPlacement
{
    bool HasPosition = false;
    int X = 0;
    int Y = 0;
    bool HasSize = false;
    int Width = 0;
    int Height = 0;
    bool Maximized = false;
    int Page = 1; // the navigation item shown, 1..4

    // The section's entries; a value that is not a whole number an int holds is left out, and
    // a page outside 1..4 is page 1.
    static TWindowPlacement Read(const std::vector<std::pair<std::string, std::string>> &entries);
    std::vector<std::pair<std::string, std::string>> Entries() const;

    // Fitted into the screen's available area: a size below the minimum is dropped, one
    // beyond the area shrinks to it, and the window is moved in wholly when part of it would
    // lie outside.
    TWindowPlacement FittedTo(const TScreenArea &area, int minWidth, int minHeight) const;
};

// The [Window] section of the settings file.
TWindowPlacement LoadWindowPlacement();
// EFileError when the settings file cannot be written.
void SaveWindowPlacement(const TWindowPlacement &placement);

} // namespace vartesk
