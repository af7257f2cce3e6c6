// Windows no larger than the screen they open on: a small or scaled screen gets a window that
// fits its free area (without the panels and docks), and the window's own scroll bars and
// splitters do the rest.
#pragma once

class QWidget;

// Shrinks `window` to the available area of its screen (never below its minimum size) and
// moves it inside that area.
void fitToScreen(QWidget* window);
// From now on every window and dialog of the program is fitted as it is shown.
void keepWindowsOnScreen();
