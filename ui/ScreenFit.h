// Windows no larger than the screen they open on: a small or scaled screen gets a window that
// fits its free area (without the panels and docks), and the window's scroll bars do the rest.
#pragma once

class QWidget;

// Shrinks `window` to the available area of its screen and moves it inside; call it after the
// window has its wanted size.
void fitToScreen(QWidget* window);
