// The data-save settings in use: whether saving is allowed, how often a record is made and
// where the files go. CFG/SaveData.INI keeps them as words ("Yes", "10", "min", ...) exactly as
// the data-save window stored them; this is what those words mean.
#pragma once

#include <QString>

struct DataSaveSettings {
    enum class Unit { Seconds, Minutes };

    bool enabled = false; // the file says exactly "Yes"
    int interval = 1;     // in units; the window keeps it within 1 to 60
    Unit unit = Unit::Seconds;
    QString folder; // the data files' folder; never created by the program
    QString name = QStringLiteral("KX5");

    // From the file's words: only "Yes" allows saving and only "min" counts as minutes, so
    // "yes", "sec" and the default "분" do not.
    static DataSaveSettings fromWords(const QString& enable, int interval, const QString& unit,
                                      const QString& folder, const QString& name);
    // A base name that names a file in the folder, never one elsewhere: no folder separator,
    // not "." or "..", not empty.
    static bool nameStaysInFolder(const QString& name);
    // The words for a file that holds none yet: "Yes"/"No", and for seconds the default word.
    QString enableWord() const;
    QString unitWord() const;

    int intervalSeconds() const { return interval * (unit == Unit::Minutes ? 60 : 1); }
    // The name the files take: `name`, or KX5 when `name` would lead out of the folder.
    QString fileName() const;
    // <folder>/<fileName()><suffix>: "_03.DAT", "_Events_20260307.TXT", ...
    QString path(const QString& suffix) const;
    // Where the records go, <folder>/<name>_NN.DAT, in the system's own separators.
    QString filesPattern() const;

    bool operator==(const DataSaveSettings&) const = default;
};

// The unit as the windows show it, in the user's language.
QString shownDataSaveUnit(DataSaveSettings::Unit unit);
