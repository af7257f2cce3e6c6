// The language of the windows: Korean or English, from the system's locale unless chosen in
// the Help menu. The choice belongs to the person, not to a program folder, so it is kept in
// the user's configuration and shared by kx5comm and kx5graph.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;
class QMenu;

// "" (follow the system), "en" or "ko", as chosen; anything else stored reads as "".
QString chosenLanguage();
// Keeps the choice for the next start; false (with *error naming the file) if it cannot.
bool chooseLanguage(const QString& code, QString* error);
// The file the choice is kept in.
QString languageSettingsPath();

// The language a choice comes to on a system with that locale: "ko" or "en".
QString effectiveLanguage(const QString& choice, const QLocale& system);

// Installs the program's and Qt's translations of the language (empty: the effective one of
// the choice and the system); returns its code. The English translation only replaces the few
// display texts written in Korean in the source.
QString installTranslations(QCoreApplication* app, const QString& code = QString());
// The language installTranslations() installed last: "ko" or "en" ("en" before any).
QString languageInUse();
// Where kx5link_<code>.qm is looked for, in order: beside the program (the build tree), then
// the installed share folder.
QString findTranslation(const QString& code);

// The Help menu's "Language" submenu: follow the system, English, 한국어. A choice is kept and
// said to take effect at the next start.
void addLanguageMenu(QMenu* help);
