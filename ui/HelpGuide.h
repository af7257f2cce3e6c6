// The user guide of our own: HTML pages in a "guide" folder beside the program (the build's
// bin/guide) or in the package's share folder. Help opens it, and F1 opens it at the page for
// the window the key was pressed in, in the language of the windows: the Korean pages are in
// the guide's "ko" folder.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QObject;
class QUrl;
class QWidget;

// The folder that holds the guide's index.html: <program folder>/guide, then
// <executable's folder>/guide, then <executable's folder>/../share/kx5link/guide. Empty when
// none does.
QString guideDir();
// The places guideDir() looks in, for telling the user where the guide was expected.
QStringList guidePlaces();
// The guide page for widget: that of the nearest window up its parents that has one,
// else "index.html".
QString guidePage(const QWidget* widget);
// Opens url with the desktop's program for it (testSeams().openUrl when set); false when
// nothing could be started. Where xdg-open does the opening, its failure (no program for this
// kind of file) comes later and calls failed.
bool openWithDesktop(const QUrl& url, const std::function<void()>& failed);
// The file of page in the guide folder dir for the windows' language ("ko" or "en"): the
// Korean page where there is one, else the English, else the contents (Korean first).
QString guideFile(const QString& dir, const QString& page, const QString& language);
// Opens page of the guide, in the language in use, with the desktop's browser
// (testSeams().openUrl). When the guide is missing or cannot be opened, a message says so and where
// it was looked for.
void openGuide(const QString& page = QStringLiteral("index.html"));
// F1 anywhere in the application calls open with the guide page of the window it was pressed
// in (a window whose own F1 shortcut takes the key first is left to it). Returns the filter,
// a child of application; deleting it ends this.
QObject* installHelpKey(
    QObject* application,
    const std::function<void(const QString& page)>& open = [](const QString& p) { openGuide(p); });
