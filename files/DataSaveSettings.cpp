#include "files/DataSaveSettings.h"

#include <QCoreApplication>
#include <QDir>

DataSaveSettings DataSaveSettings::fromWords(const QString& enable, int interval,
                                             const QString& unit, const QString& folder,
                                             const QString& name) {
    return {enable == QLatin1String("Yes"), interval,
            unit == QLatin1String("min") ? Unit::Minutes : Unit::Seconds, folder, name};
}

QString DataSaveSettings::enableWord() const {
    return enabled ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString DataSaveSettings::unitWord() const {
    return unit == Unit::Minutes ? QStringLiteral("min") : QStringLiteral("분");
}

bool DataSaveSettings::nameStaysInFolder(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QString DataSaveSettings::fileName() const {
    return nameStaysInFolder(name) ? name : DataSaveSettings{}.name;
}

QString DataSaveSettings::path(const QString& suffix) const {
    return folder + QLatin1Char('/') + fileName() + suffix;
}

QString DataSaveSettings::filesPattern() const {
    return QDir::toNativeSeparators(path(QStringLiteral("_NN.DAT")));
}

QString shownDataSaveUnit(DataSaveSettings::Unit unit) {
    return unit == DataSaveSettings::Unit::Minutes ? QCoreApplication::translate("DataSave", "min")
                                                   : QCoreApplication::translate("DataSave", "sec");
}
