// Tables worked from the keyboard: Tab moves on to the next control instead of through every
// cell (the arrow keys move inside), and Return, Enter or Space on a cell does what a click on
// it does.
#pragma once

class QAbstractItemView;

void keyboardLikeMouse(QAbstractItemView* view);
