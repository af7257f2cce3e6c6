// How the desktop knows our windows: the icon of the title bar and task switcher, and the
// desktop entry the dock groups them under; and the windows kept inside the screen.
#pragma once

class QString;

// `desktopEntry` is the entry's name without ".desktop" ("org.kx5link.kx5comm").
void setDesktopIdentity(const QString& desktopEntry);
