#include "ui/Language.h"

#include "ui/MsgBox.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

namespace {

const char* const kKey = "Language";

QString normalised(const QString& code) {
    return code == QLatin1String("en") || code == QLatin1String("ko") ? code : QString();
}

} // namespace

QString languageSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kx5link/language.ini");
}

QString chosenLanguage() {
    QSettings s(languageSettingsPath(), QSettings::IniFormat);
    return normalised(s.value(QLatin1String(kKey)).toString());
}

bool chooseLanguage(const QString& code, QString* error) {
    const QString path = languageSettingsPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // QSettings writes through a temporary file and renames it, so the old file survives a
    // crash.
    QSettings s(path, QSettings::IniFormat);
    if (normalised(code).isEmpty())
        s.remove(QLatin1String(kKey));
    else
        s.setValue(QLatin1String(kKey), code);
    s.sync();
    if (s.status() == QSettings::NoError) return true;
    if (error)
        *error = QCoreApplication::translate("Language", "Cannot write %1: %2")
                     .arg(QDir::toNativeSeparators(path),
                          QCoreApplication::translate("Language", "the folder is not writable"));
    return false;
}

QString effectiveLanguage(const QString& choice, const QLocale& system) {
    if (!normalised(choice).isEmpty()) return choice;
    return system.language() == QLocale::Korean ? QStringLiteral("ko") : QStringLiteral("en");
}

QString findTranslation(const QString& code) {
    const QString name = QStringLiteral("kx5link_%1.qm").arg(code);
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList places = {appDir + QStringLiteral("/translations"),
                                appDir + QStringLiteral("/../share/kx5link/translations"),
                                QStringLiteral(KX5_TRANSLATIONS_DIR)};
    for (const QString& dir : places) {
        const QString path = QDir::cleanPath(dir + QLatin1Char('/') + name);
        if (QFileInfo::exists(path)) return path;
    }
    return QString();
}

namespace {
// Kept on the application object, which lives exactly as long as the translators it holds.
const char* const kInUseProperty = "kx5LanguageInUse";
} // namespace

QString languageInUse() {
    const QString code = qApp ? qApp->property(kInUseProperty).toString() : QString();
    return code.isEmpty() ? QStringLiteral("en") : code;
}

QString installTranslations(QCoreApplication* app, const QString& language) {
    const QString code =
        language.isEmpty() ? effectiveLanguage(chosenLanguage(), QLocale::system()) : language;
    app->setProperty(kInUseProperty, code);
    auto* own = new QTranslator(app);
    if (own->load(findTranslation(code)))
        QCoreApplication::installTranslator(own);
    else
        delete own;
    if (code != QLatin1String("en")) {
        // Qt's own texts: standard buttons, file dialogs, context menus.
        auto* qt = new QTranslator(app);
        if (qt->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
    }
    return code;
}

void addLanguageMenu(QMenu* help) {
    QMenu* menu = help->addMenu(QCoreApplication::translate("Language", "&Language"));
    menu->setObjectName(QStringLiteral("mHelpLanguage"));
    auto* group = new QActionGroup(menu);
    // The window whose menu bar holds the Help menu: a menu is a window of its own.
    QWidget* owner = help->parentWidget() ? help->parentWidget()->window() : nullptr;
    const QString current = chosenLanguage();
    const struct {
        const char* name;
        QString code, text;
    } choices[] = {
        {"mLangSystem", QString(), QCoreApplication::translate("Language", "&System's language")},
        // Each language named in itself, so a person who cannot read the current one finds
        // their own.
        {"mLangEnglish", QStringLiteral("en"), QStringLiteral("English")},
        {"mLangKorean", QStringLiteral("ko"), QStringLiteral("한국어")},
    };
    for (const auto& c : choices) {
        QAction* a = menu->addAction(c.text);
        a->setObjectName(QLatin1String(c.name));
        a->setCheckable(true);
        a->setChecked(c.code == current);
        group->addAction(a);
        const QString code = c.code;
        QObject::connect(a, &QAction::triggered, menu, [owner, code] {
            const QString title = QCoreApplication::translate("Language", "Language");
            QString error;
            if (chooseLanguage(code, &error))
                MsgBox(owner, title,
                       QCoreApplication::translate(
                           "Language", "The language changes when the program is started again."));
            else
                MsgBox(owner, title, error, QMessageBox::Ok, QMessageBox::Warning);
        });
    }
}
